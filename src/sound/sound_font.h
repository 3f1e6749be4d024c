#pragma once
// Which General MIDI SoundFont the program sounds with: the one $KVAT_SOUNDFONT names, else
// the system's default, else the files the Debian SoundFont packages install.

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace kvat {

inline constexpr std::array<std::string_view, 7> kSoundFontPlaces = {
    "/usr/share/sounds/sf2/default-GM.sf2",        "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/default-GM.sf3",        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf3/MuseScore_General.sf3", "/usr/share/sounds/sf2/MuseScore_General.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

// Whether the file begins as a SoundFont does (a RIFF file of form "sfbk", which SF3 keeps).
// Checked before FluidSynth is handed a file, which it would otherwise complain about aloud.
bool IsSoundFontFile(const std::filesystem::path& path);

// The chosen file if it is a SoundFont, else the first of `places` that is (links followed).
// A chosen file that is missing or wrong falls back to the places rather than to silence.
std::optional<std::filesystem::path> FindSoundFont(std::string_view chosen,
                                                   std::span<const std::string_view> places);

// The same with the choice taken from $KVAT_SOUNDFONT and the standard places.
std::optional<std::filesystem::path> FindSoundFont();

} // namespace kvat
