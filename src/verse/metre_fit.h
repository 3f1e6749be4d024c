#pragma once
// The metre-aware correction of the dictionary mode: the poem's metre is read off the words
// whose stress is certain, and the doubtful words are read so that they fit it.

#include "verse/verse_words.h"
#include "verse/word_stress.h"

#include <optional>
#include <vector>

namespace kvat {

struct PlacedWord {
    VerseWord word;
    const WordStress* stress = nullptr; // shared by every occurrence of the word
    int chosen = 0;                     // the 1-based stressed vowel; 0: unstressed
};
using PlacedLine = std::vector<PlacedWord>;

// The classical metre (kTrochee … kAnapaest) that the certain stresses of the whole verse fit
// well enough, or none.
std::optional<int> CertainMetre(const std::vector<PlacedLine>& lines);

// Chooses every word's stressed vowel, fitting the doubtful ones to `metre` when there is one.
void FitToMetre(std::vector<PlacedLine>& lines, std::optional<int> metre);

} // namespace kvat
