#pragma once
// How rhymes are written down: the command line's labels, and each stanza's scheme as Russian
// verse study writes it (аБаБ) with the name of the scheme where it has one.

#include "verse/rhymes.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvat {

// The label of a rhyme group: "A" … "Z", then "AA", "AB" … as spreadsheet columns run.
std::string RhymeLabel(int group);

struct StanzaScheme {
    // A letter per line with a word, from а in each stanza in the order the rhymes first
    // appear: small for a masculine rhyme, a capital for a feminine one, a capital with ′ or ″
    // for a dactylic or hyperdactylic one; х (Х, Х′ …) for a line that rhymes with no other.
    std::u32string scheme;
    std::u32string_view name; // "перекрёстная", "парная", "опоясывающая" or empty
};

// One entry per line: its letter of its stanza's scheme (а, Б, В′, х …), empty for a line
// without a word.
std::vector<std::u32string> SchemeLetters(const std::vector<LineRhyme>& rhymes);

// What a line's letter means, as a tool tip says it: «рифма А, женская, точная», «без рифмы,
// мужская клаузула»; empty for a line without a word.
std::u32string RhymeDescription(const LineRhyme& rhyme, std::u32string_view letter);

// One entry per stanza that has a line with a word, in order.
std::vector<StanzaScheme> StanzaSchemes(const std::vector<LineRhyme>& rhymes);

} // namespace kvat
