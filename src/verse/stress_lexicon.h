#pragma once
// The stress table built by tools/make_stress_lexicon.py and linked into the program: the
// readings of the words of two lexicons and a model of word endings for the words they lack.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kvat {

// The table as linked in; empty when the build could not embed it.
std::span<const std::uint8_t> StressLexiconBytes();

// Every 1-based stressed vowel the lexicons give for `word` (lower-case, ё written as е),
// ascending; 0 stands for a word with no stress of its own. Empty when the word is unknown.
std::vector<int> LexiconReadings(std::u32string_view word,
                                 std::span<const std::uint8_t> table = StressLexiconBytes());

// The stressed vowel most words with the longest known ending of `word` share, counted from
// the end (1 is the last vowel); none when no ending is known.
std::optional<int> EndingStress(std::u32string_view word,
                                std::span<const std::uint8_t> table = StressLexiconBytes());

} // namespace kvat
