#pragma once
// The syllable each melody token sings, from the divided text's rows: what the MIDI file's lyric
// events and the MusicXML lyrics both write under the notes.

#include "text/strings.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kvat {

struct LyricSyllable {
    std::u32string_view text; // as the score shows it, without the hyphen and the spaces
    bool goesOn = false;      // the word continues on the next note
};

// A row is the syllable, " -" where the word goes on, a space; a line ends with the row "_ ".
// The melody has a token for every vowel letter and a rest for every line end, so a row stands
// over as many tokens as it has vowels, the first of them singing it, and a line without vowels
// (a blank one) holds rows but no tokens. The lyrics so stay under their notes after such a line.
std::vector<std::optional<LyricSyllable>> TokenSyllables(std::span<const std::u32string_view> rows,
                                                         std::size_t tokens);

// What a verse is called: its first line that holds more than spaces, trimmed.
std::u32string VerseTitle(const Lines& lines);

} // namespace kvat
