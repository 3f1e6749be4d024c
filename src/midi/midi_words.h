#pragma once
// The words a MIDI file carries: the verse's first line as the track's name and, before every
// sung note, the syllable the score writes under it.

#include "midi/arrangement.h"
#include "text/strings.h"
#include "verse/lyrics.h"

#include <optional>
#include <span>

namespace kvat {

// Names and lyrics are for reading, not for holding a whole line of prose: longer ones are cut.
inline constexpr std::size_t kLongestTitle = 120;
inline constexpr std::size_t kLongestLyric = 40;

// The title from the first line (trimmed) and, per token, its syllable as a lyric: a syllable
// whose word goes on ends with "-" ("мгло-"). UTF-8.
MidiWords VerseWords(const Lines& lines, std::span<const std::optional<LyricSyllable>> syllables);

} // namespace kvat
