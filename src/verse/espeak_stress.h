#pragma once
// The stressed vowel of a word as espeak-ng pronounces it: the guess for words no lexicon holds.

#include <optional>
#include <string_view>

namespace kvat {

// The 1-based stressed vowel of `word` (lower-case Cyrillic letters), or none when espeak-ng or
// its Russian data is missing or its syllables do not line up with the word's vowels. Safe to
// call from any thread; answers are remembered per word for the life of the process.
std::optional<int> EspeakStressedVowel(std::u32string_view word);

} // namespace kvat
