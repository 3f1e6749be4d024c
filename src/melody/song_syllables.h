#pragma once
// The syllables of a line as the song's rhythm sees them: how each vowel's stress binds where it
// may fall in the bar, and which word it belongs to.

#include "melody/verse_walk.h"

#include <span>
#include <string>
#include <vector>

namespace kvat::song {

enum class Weight : unsigned char {
    kWordStress,     // the stressed vowel of a word of two or more vowels: on a strong beat
    kWordUnstressed, // another vowel of such a word: never on a strong beat
    kStressedMono,   // a stressed word of one vowel: better on a strong beat
    kFree,           // an unstressed word of one vowel, or a word with no stress: anywhere
};

struct Syllable {
    Weight weight = Weight::kFree;
    bool ictus = false; // the metre's template puts an ictus on it
    int word = 0;       // the word it belongs to, counted from the line's start
};

using SyllableLine = std::vector<Syllable>;

constexpr bool IsStressed(Weight w) {
    return w == Weight::kWordStress || w == Weight::kStressedMono;
}

// One entry per line, one syllable per vowel. A stress string shorter than its line, or
// missing, leaves the rest unstressed.
std::vector<SyllableLine> SongSyllables(const Lines& lines, std::span<const std::string> stress,
                                        const melody::LineTemplates& templates);

} // namespace kvat::song
