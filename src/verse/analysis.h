#pragma once
// From the verse text to stress strings, metre scores and the metre list.

#include "text/strings.h"
#include "verse/dictionary_stress.h"
#include "verse/metre.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kvat {

struct VerseAnalysis {
    std::vector<std::string> stress;   // one '0'/'1' string per editor line
    MetreTemplateList templates;       // entry 5 all "0" until the hand-placed pattern is read
    std::array<float, 6> scores{};     // entries 0..4 the mean match fractions, 5 stays 0
    std::vector<std::u32string> items; // the six metre-list texts; empty for an empty text
    std::optional<int> metre;          // the chosen metre; none when the list stays empty
    // Per line, the words no lexicon holds, whose stress is a guess; empty by the rule.
    std::vector<std::vector<TextSpan>> unknownWords;
};

// Where the stresses come from: the old rule (a polysyllable on its second syllable), or the
// lexicons, espeak-ng and the poem's metre.
enum class StressMode { kRule, kDictionary };

// The stress string of every line: '1' on the stressed vowel of each content word.
std::vector<std::string> StressStrings(const Lines& lines);

// `decimalSeparator` is the user's locale's (',' for Russian regional settings). Both modes
// give every line a stress string of the same length; the scoring and choice are the same.
// A `memo` kept between analyses makes the dictionary mode's next one quicker, nothing else.
VerseAnalysis AnalyseVerse(const Lines& lines, char32_t decimalSeparator,
                           StressMode mode = StressMode::kRule, WordStressMemo* memo = nullptr);

// A score as the metre list shows it: "66,67%" — two decimals, exact halves away from zero.
std::u32string PercentText(float score, char32_t decimalSeparator);

// The texts of the six metre-list items for the given scores.
std::vector<std::u32string> MetreItems(const std::array<float, 6>& scores,
                                       char32_t decimalSeparator);

} // namespace kvat
