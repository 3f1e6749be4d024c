#pragma once
// Where the vowels of a spoken phrase really begin and end, read from the signal: espeak-ng's own
// phoneme marks are 20 to 30 ms off.

#include "voice/spoken_phrase.h"

#include <cstdint>
#include <vector>

namespace kvat {

struct VowelSpan {
    std::int64_t onset = 0;
    std::int64_t end = 0;
};

struct PhraseBounds {
    std::int64_t speechStart = 0; // the first sound
    std::int64_t speechEnd = 0;   // after the last
    std::vector<VowelSpan> vowels;
};

// A vowel is the loud stretch of its syllable: from the peak of the low band's level out to
// where it falls to half, which leaves fricatives (loud only high up) and the quieter nasals and
// liquids outside it.
PhraseBounds FindVowels(const SpokenPhrase& phrase);

} // namespace kvat
