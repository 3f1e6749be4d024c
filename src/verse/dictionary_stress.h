#pragma once
// The dictionary mode's stress strings: lexicons, espeak-ng and the endings model propose, the
// poem's metre decides among their readings.

#include "text/strings.h"
#include "verse/word_stress.h"

#include <cstddef>
#include <string>
#include <unordered_map>
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

// What each word the sources were asked about says, kept by a caller that analyses a verse
// again and again (a window, at every key): the next analysis asks only about the words it has
// not met. The sources' answers never change, so a memo only saves time. For one analysis at a
// time; past a book's worth of words it starts again rather than grow for ever.
class WordStressMemo {
public:
    // The word's sources, asked now unless met before. Valid until the next StartAnalysis.
    const WordStress& Of(const VerseWord& word);
    void StartAnalysis(std::size_t lines);

private:
    std::unordered_map<std::u32string, WordStress> known_;
    std::u32string key_;
};

// `ruleStress` holds the rule's strings for the same lines. Only the '1's inside the Cyrillic
// words move, so every string keeps the rule's length and its typed 1, 0 and 7. Without a
// `memo` the words are looked up for this analysis alone.
DictionaryStress DictionaryStressStrings(const Lines& lines, std::vector<std::string> ruleStress,
                                         WordStressMemo* memo = nullptr);

} // namespace kvat
