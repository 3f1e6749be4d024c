#pragma once
// The settings page's choice of where the stresses come from: the rule or the dictionary.

#include "verse/analysis.h"

class QButtonGroup;
class QWidget;

namespace kvat {

// The label and one radio button per StressMode on `page`, the rule checked; each button's id
// in the group is its mode.
QButtonGroup* MakeStressChoice(QWidget* page);

StressMode CheckedStressMode(const QButtonGroup& choice);

} // namespace kvat
