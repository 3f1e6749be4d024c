#pragma once
// The words of a verse line as the dictionary mode looks them up, each tied to its place in the
// line and to the positions of its vowels in the line's stress string.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

struct VerseWord {
    std::size_t begin = 0, end = 0;  // characters of the line, as the editor holds it
    std::u32string letters;          // lower-case, accents dropped
    std::vector<std::size_t> vowels; // the stress-string position of each vowel
    int marked = 0;                  // 1-based vowel the user put U+0301 after; 0 for none
    int secondary = 0;               // 1-based vowel the user put another accent after
    bool joined = false;             // a hyphen joins it to the word before (кто-то)
    bool hostsParticle = false;      // a particle of no stress is joined to it (кто-то)
};

// The Cyrillic words of the line: runs of letters, with accents inside them. A
// space-separated piece holding a typed 1, 0 or 7 gives no words: the user placed its stress.
std::vector<VerseWord> LineWords(std::u32string_view line);

} // namespace kvat
