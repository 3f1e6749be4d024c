#pragma once
// The user's choices kept between runs in QSettings: the melody and sound settings and the
// window's own choices as values, the window's place, the last folder and the verse left
// unsaved. The organisation and application names choose where they live.

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

// The window's own choices; each one missing from the store keeps the one given.
void SaveChoices(QSettings& store, const WindowChoices& choices);
WindowChoices LoadChoices(QSettings& store, WindowChoices choices);

// The verse the user left without saving it; nothing when it was saved or never changed.
void SaveUnsavedVerse(QSettings& store, const std::optional<QString>& verse);
std::optional<QString> LoadUnsavedVerse(QSettings& store);

} // namespace kvat
