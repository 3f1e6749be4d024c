#pragma once
// Which lines of a verse rhyme: the rhyme groups, each line's clausula and how exact its rhyme
// is. Blank lines part stanzas; a rhyme reaches a few lines within its stanza, never past it.

#include "text/strings.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kvat {

// How many syllables follow a line's last stress: none, one, two, three or more.
enum class Clausula : unsigned char { kNone, kMasculine, kFeminine, kDactylic, kHyperdactylic };

inline constexpr int kNoWord = -2;   // a line without a vowel: nothing in it to rhyme
inline constexpr int kUnrhymed = -1; // a line that rhymes with no other

struct LineRhyme {
    int group = kNoWord; // 0, 1 … in the order the groups first appear in the verse
    Clausula clausula = Clausula::kNone;
    float score = 0;    // its nearest rhyme in the group: 1 exact, less the more inexact
    bool exact = false; // it rhymes exactly with another line of its group
    int stanza = -1;    // the stanza, counted from 0; -1 for a line without a word
    // Characters [begin, end) of the line that rhyme: its last stressed vowel to its last letter.
    std::size_t begin = 0, end = 0;
};

// Nothing but spaces of any width and control characters: such a line parts stanzas.
bool IsBlankLine(std::u32string_view line);

// One entry per line. `stress` holds the lines' stress strings (one '0'/'1' per vowel letter
// and typed 1, 0, 7), with the user's own stresses put in where the user placed them; a line
// without one is read as stressed on its last vowel.
std::vector<LineRhyme> FindRhymes(const Lines& lines, const std::vector<std::string>& stress);

} // namespace kvat
