#pragma once
// The user's choices kept between runs in QSettings: the melody and sound settings as values,
// the check boxes and device the values do not hold, the window's place and the last folder.
// The organisation and application names choose where they live.

#include "melody/melody.h"
#include "midi/sound_settings.h"
#include "verse/analysis.h"

#include <QString>
#include <QVariantMap>
#include <array>
#include <optional>

class QSettings;
class QWidget;

namespace kvat {

inline constexpr const char* kSettingsOrganisation = "Kvat";
inline constexpr const char* kSettingsApplication = "Kvat";

void SaveMelody(QSettings& store, const MelodySettings& settings);
void SaveSound(QSettings& store, const SoundSettings& settings);
// Each setting missing from the store keeps the default the value type starts with.
MelodySettings LoadMelody(QSettings& store);
// Whether an earlier run left its melody settings, the note map among them.
bool HasSavedMelody(QSettings& store);
SoundSettings LoadSound(QSettings& store);

// The window's choices that no melody or sound value holds.
struct WindowChoices {
    StressMode stress = StressMode::rule;
    // Each family of methods has its own key bar (tonal, centre, template); the melody takes
    // the chosen method's.
    std::array<int, 3> keyShifts{};
    int octaves = 0; // the note map's octave list, which the next generated map draws from
};
void SaveChoices(QSettings& store, const WindowChoices& choices);
// A key bar missing from the store (an earlier version kept one for all) takes `melody`'s.
WindowChoices LoadChoices(QSettings& store, const MelodySettings& melody);

// Forgets every choice, and keeps what is not one: the recent files, the last folder and the
// window's place.
void ForgetChoices(QSettings& store);

// The check boxes and lists that no settings value holds, found by their object names under
// `window`: the score's colours, the kept MIDI file, the output device (by name, since the
// devices present may change between runs). Read and applied as a map, so that the window can
// keep its start-up state for a reset.
QVariantMap ReadControls(const QWidget& window);
void ApplyControls(const QVariantMap& controls, QWidget& window);
void SaveControls(QSettings& store, const QVariantMap& controls);
QVariantMap LoadControls(QSettings& store);

// An unsaved verse that an earlier version kept in the settings: taken out, so that the file
// every start reads stays small. The verse now has a file of its own (kept_verse.h).
std::optional<QString> TakeLegacyUnsavedVerse(QSettings& store);

} // namespace kvat
