#pragma once
// The user's choices kept between runs in QSettings: the melody and sound settings and the
// window's own choices as values, the window's place and the last folder. The organisation and
// application names choose where they live.

#include "app/window/window_choices.h"
#include "melody/melody.h"
#include "midi/sound_settings.h"

#include <QString>
#include <optional>

class QSettings;

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

// The window's own choices; each one missing from the store keeps the one given (a key bar
// missing, as an earlier version kept one for all, the melody's key).
void SaveChoices(QSettings& store, const WindowChoices& choices);
WindowChoices LoadChoices(QSettings& store, WindowChoices choices);

// Forgets every choice, and keeps what is not one: the recent files, the last folder and the
// window's place.
void ForgetChoices(QSettings& store);

// An unsaved verse that an earlier version kept in the settings: taken out, so that the file
// every start reads stays small. The verse now has a file of its own (kept_verse.h).
std::optional<QString> TakeLegacyUnsavedVerse(QSettings& store);

} // namespace kvat
