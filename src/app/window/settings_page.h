#pragma once
// The settings page: output device, dynamics and stress boost, tempo, time signature and the
// three options. It produces its part of the sound and melody settings and the window's own
// choices.

#include "app/window/window_choices.h"
#include "melody/melody.h"
#include "midi/sound_settings.h"
#include "verse/analysis.h"

#include <QFrame>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace kvat {

class SettingsPage : public QFrame {
    Q_OBJECT

public:
    explicit SettingsPage(QWidget* parent);

    // The device list's names (UTF-8); the first is chosen.
    void SetDevices(const std::vector<std::string>& names);
    void Apply(const SoundSettings& settings);
    void Apply(const WindowChoices& choices);
    void ReadInto(SoundSettings& settings) const;
    void ReadInto(MelodySettings& settings) const;
    void ReadInto(WindowChoices& choices) const;
    // Tab walks the page from the top down, the method's panel where it stands.
    void ChainTabs(const std::vector<QWidget*>& panelControls);
    StressMode Stress() const;
    void SetStress(StressMode mode); // as if the user had chosen it
    // A method with a time signature of its own shows it in place of the lists, whose choice
    // stays for the other methods; nothing shows the lists again.
    void ShowMethodTime(std::optional<std::pair<int, int>> time);

signals:
    void deviceChosen(int device);
    void colourToggled();
    void keepFileToggled(bool keep);
    void rhymesToggled(bool shown);
    void stressModeChosen(StressMode mode);

private:
    void BuildDynamics();
    void BuildTempo();
    void BuildTimeSignature();
    void BuildOptions();
    void OnDynamicsChosen(int index);
    void OnTempoChosen(int index);
    // Fills the denominator list with those that go with `numerator`, the first chosen.
    void OfferDenominators(int numerator);

    QComboBox* deviceList_ = nullptr;
    QComboBox* dynamicsList_ = nullptr;
    QLabel* dynamicsValue_ = nullptr;
    QScrollBar* dynamicsBar_ = nullptr;
    QScrollBar* boostBar_ = nullptr;
    QLabel* boostValue_ = nullptr;
    QComboBox* tempoList_ = nullptr;
    QLabel* tempoValue_ = nullptr;
    QScrollBar* tempoBar_ = nullptr;
    QComboBox* numeratorList_ = nullptr;
    QComboBox* denominatorList_ = nullptr;
    QLabel* fractionSlash_ = nullptr;
    QLabel* methodTime_ = nullptr;
    QCheckBox* lengthen_ = nullptr;
    QCheckBox* colourOption_ = nullptr;
    QCheckBox* keepFile_ = nullptr;
    QCheckBox* rhymes_ = nullptr;
    QButtonGroup* stressChoice_ = nullptr;
};

} // namespace kvat
