#pragma once
// The instruments page: the four voices, the ready-made groups, the drum figure, the held
// accompaniment chord, the output effect and the singing voice, each with a speaker to hear it. It
// produces the instrument part of the sound settings.

#include "midi/sound_settings.h"

#include <QFrame>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace kvat {

class InstrumentsPage : public QFrame {
    Q_OBJECT

public:
    InstrumentsPage(QWidget* focusSink, QWidget* parent);

    void Apply(const SoundSettings& settings);
    void ReadInto(SoundSettings& settings) const;

signals:
    // Speaker k was clicked: what Preview::PlaySpeaker(k) sounds.
    void speakerClicked(int k);

private:
    void BuildVoices();
    void BuildDrums();
    void BuildAccompaniment();
    void BuildSinging();
    void AddSpeaker(int k, int top);
    void OnGroupPresetToggled(bool on);
    void OnGroupChosen(int index);
    void EnableVoices(bool on);
    void ShowVoices(const SoundSettings& settings);

    QWidget* focusSink_;
    class PictureGroup* speakers_ = nullptr;
    std::array<QWidget*, 8> speakerButtons_{}; // by speaker number; there is no 4
    std::array<QComboBox*, 4> voiceLists_{};
    std::array<QCheckBox*, 3> voiceChecks_{};
    std::array<QLabel*, 4> voiceLabels_{};
    QCheckBox* groupCheck_ = nullptr;
    QComboBox* groupList_ = nullptr;
    QCheckBox* drumsCheck_ = nullptr;
    QComboBox* drumFirst_ = nullptr;
    QComboBox* drumLast_ = nullptr;
    QScrollBar* drumMap_ = nullptr;
    QLabel* drumMapLabel_ = nullptr;
    QCheckBox* accompanimentCheck_ = nullptr;
    QComboBox* accompanimentList_ = nullptr;
    QComboBox* effectList_ = nullptr;
    QCheckBox* singingCheck_ = nullptr;
    QComboBox* singerList_ = nullptr;
};

} // namespace kvat
