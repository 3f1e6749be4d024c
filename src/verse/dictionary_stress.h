#pragma once
// The dictionary mode's stress strings: lexicons, espeak-ng and the endings model propose, the
// poem's metre decides among their readings.

#include "text/strings.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kvat {

// Characters [begin, begin + length) of one editor line.
struct TextSpan {
    std::size_t begin = 0;
    std::size_t length = 0;
    bool operator==(const TextSpan&) const = default;
};

struct DictionaryStress {
    std::vector<std::string> stress;                 // one '0'/'1' string per line
    std::vector<std::vector<TextSpan>> unknownWords; // per line: words no lexicon holds
};

// `ruleStress` holds the rule's strings for the same lines. Only the '1's inside the Cyrillic
// words move, so every string keeps the rule's length and its typed 1, 0 and 7.
DictionaryStress DictionaryStressStrings(const Lines& lines, std::vector<std::string> ruleStress);

} // namespace kvat
