#pragma once
// The words a MIDI file carries: the verse's first line as the track's name and, before every
// sung note, the syllable the score writes under it.

#include "midi/arrangement.h"
#include "text/strings.h"

#include <span>
#include <string>
#include <string_view>

namespace kvat {

// Names and lyrics are for reading, not for holding a whole line of prose: longer ones are cut.
inline constexpr std::size_t kLongestTitle = 120;
inline constexpr std::size_t kLongestLyric = 40;

// A syllable row as the score shows it ("мгло - ", "ю ", "ет, ") as a lyric: trimmed, and a
// syllable that continues its word ending with "-" ("мгло-"). UTF-8.
std::string LyricOfRow(std::u32string_view row);

// The title from the first line (trimmed) and row k's lyric for token k.
MidiWords VerseWords(const Lines& lines, std::span<const std::u32string_view> rows);

} // namespace kvat
