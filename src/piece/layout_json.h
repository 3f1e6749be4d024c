#pragma once
// The score layout as JSON: the canvas, the scroll range, the colour list and every item in
// drawing order, positions in twips.

#include "score/score_layout.h"

#include <ostream>

namespace kvat {

void WriteLayoutJson(std::ostream& out, const ScoreLayout& layout);

} // namespace kvat
