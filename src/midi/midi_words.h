#pragma once
// The words a MIDI file carries: the verse's first line as the track's name and, before every
// sung note, the syllable the score writes under it.

#include "midi/arrangement.h"
#include "text/strings.h"

#include "verse/lyrics.h"
#include <span>

namespace kvat {

// Names and lyrics are for reading, not for holding a whole line of prose: longer ones are cut.
inline constexpr std::size_t kLongestTitle = 120;
inline constexpr std::size_t kLongestLyric = 40;

// The verse's title and, per token of its melody, the syllable sung on it as a lyric (with
// `lyrics`), read from the divided text's rows: a syllable whose word goes on ends with "-"
// ("мгло-"). UTF-8.
MidiWords VerseWords(std::u32string_view title, std::span<const std::u32string_view> rows,
                     std::size_t tokens, bool lyrics = true);

} // namespace kvat
