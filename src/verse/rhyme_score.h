#pragma once
// How near two line endings come to rhyming.

#include "verse/rhyme_sounds.h"

namespace kvat {

struct RhymeMatch {
    float score = 0;    // 1 an exact rhyme, less for each difference heard, 0 no rhyme at all
    bool exact = false; // every sound alike (and the supporting consonant of an open one)
};

// Two endings rhyme only on the same stressed vowel and with as many syllables after it;
// how alike the consonants and the reduced vowels after it sound makes the score.
RhymeMatch MatchEndings(const LineEnding& a, const LineEnding& b);

} // namespace kvat
