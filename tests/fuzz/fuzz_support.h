#pragma once
// What every fuzz target shares: turning a fuzzer's bytes into the values the core takes, the
// one way a target reports a broken promise (a message and abort(), which libFuzzer records
// as a crash with its input), and the promises several targets check.

#include "text/strings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <span>

namespace kvat::fuzz {

[[noreturn]] void Broken(const char* what);

inline void Require(bool holds, const char* what) {
    if (!holds) Broken(what);
}

// UTF-8 read leniently, so that mutated verse stays mostly verse: any well-formed lead and
// continuation bytes give their code point (surrogates and values past U+10FFFF included, which
// the core must survive too); a byte that fits no sequence is taken as the character of its own
// value.
std::u32string LenientText(std::string_view bytes);

// The verse lines of a text split at LF, as the command line reads a file (a CR stays in its
// line, as any other character does).
Lines VerseLines(std::string_view bytes);

// An int anywhere in its range, but most often near the interesting stretch [low, high]:
// fuzzed settings must reach the far ends as well as every value a control can hold.
int SettingValue(FuzzedDataProvider& data, int low, int high);

// A melody string for `lines`: one token per vowel and one per line, each a rest ("0") or a
// note 36..95, then at most three "+"; every line's last token a rest, unless the walk met a
// space after the line's last vowel, where the tonal methods may give a note.
void RequireMelody(const Lines& lines, const std::string& melody);

// Aborts unless the bytes are one format-0 file of one track at 96 ticks per quarter whose
// length field is the track's real length. Returns the track.
std::span<const std::uint8_t> RequireFrame(std::span<const std::uint8_t> file);

// RequireFrame, and: every event has its status byte and its data bytes below 128, the track
// ends with end of track, no note event is on key 0 and no controller 0 is sent, and every
// note-on, drums included, is followed by its note-off (and no note-off comes without one).
// Returns the note-ons per channel.
std::array<std::size_t, 16> RequireSoundMidiFile(std::span<const std::uint8_t> file);

} // namespace kvat::fuzz
