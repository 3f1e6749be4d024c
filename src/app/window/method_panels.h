#pragma once
// The settings panels of the melody methods. The tonal panel stands on the settings page; the
// panel of the chosen method is laid over it while that page is shown. The panels produce their
// part of the melody settings: the key shift of the method's family, the soft-vowel shift, the
// line-centre shift, the note map and the song's key and range.

#include "melody/melody.h"

#include <QObject>
#include <array>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QScrollBar;
class QWidget;

namespace kvat {

namespace control {
struct BarNames;
}
struct WindowChoices;

class MethodPanels : public QObject {
    Q_OBJECT

public:
    // The tonal panel goes on `settingsPage`, the others on `layer`, the page's parent.
    MethodPanels(QWidget* settingsPage, QWidget* layer, QWidget* focusSink);

    void Apply(const MelodySettings& settings);
    void ReadInto(MelodySettings& settings) const;
    // The three families' key bars apart, and the octaves the note map is drawn from.
    void Apply(const WindowChoices& choices);
    void ReadInto(WindowChoices& choices) const;
    // The caption every panel shows, from the method list's item.
    void SetCaption(int methodIndex);
    // Lays the method's own panel over the tonal one while the settings page is shown.
    void Place(int methodIndex, bool settingsShown);
    // The line-centre bar's ends, as the last drawing found them.
    void SetCentreRange(std::pair<int, int> range);
    // Fills the note lists at random from the chosen octaves.
    void GenerateNoteMap();
    void Seed(std::uint64_t seed) { random_.seed(seed); }
    // The panels' controls in the order Tab walks them; those of hidden panels are passed over.
    std::vector<QWidget*> TabControls() const;

signals:
    void notePreviewRequested(int note);

private:
    struct BarPlace;
    // A bar with its label, its value and the text that says what the value does.
    QScrollBar* AddBar(QGroupBox* panel, const control::BarNames& names, const BarPlace& place);
    void BuildFloatingPanels(QWidget* layer);
    void BuildNoteMapPanel(QWidget* layer);
    void BuildSongPanel(QWidget* layer);
    QGroupBox* FloatingPanel(int methodIndex) const;
    QScrollBar* KeyBar(int methodIndex) const;

    QWidget* focusSink_;
    std::mt19937_64 random_;
    QGroupBox* tonalPanel_ = nullptr;
    QGroupBox* fixedPanel_ = nullptr;
    QGroupBox* softShiftPanel_ = nullptr;
    QGroupBox* centrePanel_ = nullptr;
    QGroupBox* templatePanel_ = nullptr;
    QGroupBox* noteMapPanel_ = nullptr;
    QGroupBox* songPanel_ = nullptr;
    QScrollBar* tonalKey_ = nullptr;
    QScrollBar* centreKey_ = nullptr;
    QScrollBar* templateKey_ = nullptr;
    QScrollBar* softShift_ = nullptr;
    QScrollBar* centreShift_ = nullptr;
    std::array<QComboBox*, 10> noteLists_{};
    std::array<QWidget*, 10> noteSpeakers_{};
    QWidget* generate_ = nullptr;
    QComboBox* octaveList_ = nullptr;
    QComboBox* tonicList_ = nullptr;
    QComboBox* modeList_ = nullptr;
    QComboBox* rangeList_ = nullptr;
};

} // namespace kvat
