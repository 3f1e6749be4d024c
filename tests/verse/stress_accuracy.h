#pragma once
// How well a stress mode reads verse whose stresses are marked (each stressed vowel followed by
// U+0301, a secondary one by U+0302): the share of words of two or more vowels with one mark
// stressed on it alone, and of poems given the metre the marks themselves choose.

#include "verse/analysis.h"
#include "verse/letters.h"

#include <algorithm>

namespace kvat::test {

struct StressAccuracy {
    int words = 0, rightWords = 0, poems = 0, rightMetres = 0;
};

inline bool IsMark(char32_t c) {
    return c >= 0x300 && c <= 0x36F;
}
inline bool IsPosition(char32_t c) {
    return IsVowel(ToLower(c)) || c == U'1' || c == U'0' || c == U'7';
}

// Tallies the words of one marked line against the stress string a mode gave it.
inline void TallyWords(std::u32string_view marked, const std::string& mine, StressAccuracy& a) {
    std::size_t position = 0, first = 0, vowels = 0, marks = 0, stressed = 0;
    for (std::size_t i = 0; i <= marked.size(); ++i) {
        const char32_t c = i < marked.size() ? ToLower(marked[i]) : U' ';
        if ((c >= U'а' && c <= U'я') || c == U'ё' || c == U'-' || IsMark(c)) {
            if (vowels == 0) first = position;
            if (c == 0x301) ++marks, stressed = position - 1;
            if (IsVowel(c)) ++vowels, ++position;
            continue;
        }
        if (vowels >= 2 && marks == 1 && position <= mine.size()) {
            const auto word = std::string_view(mine).substr(first, position - first);
            ++a.words;
            a.rightWords += std::count(word.begin(), word.end(), '1') == 1 && mine[stressed] == '1';
        }
        vowels = marks = 0;
        position += IsPosition(c);
    }
}

inline StressAccuracy Measure(std::u32string_view markup, StressMode mode) {
    const Lines marked = Split(markup, std::u32string_view(U"\n"));
    Lines plain, typed;
    for (const auto& line : marked) {
        std::u32string text, stresses;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == 0x301 && !stresses.empty()) stresses.back() = U'1';
            if (line[i] != 0x301 && line[i] != 0x302) text.push_back(line[i]);
            if (IsPosition(line[i])) stresses.push_back(U'7');
        }
        plain.push_back(text);
        // Typed 1 and 7 are the rule's stressed and unstressed syllables: scored as they stand.
        typed.push_back(stresses);
    }
    const VerseAnalysis mine = AnalyseVerse(plain, U',', mode);
    StressAccuracy a{0, 0, 1, AnalyseVerse(typed, U',').metre == mine.metre};
    for (std::size_t i = 0; i < marked.size(); ++i) TallyWords(marked[i], mine.stress[i], a);
    return a;
}

inline StressAccuracy Measure(const std::vector<std::u32string>& poems, StressMode mode) {
    StressAccuracy total;
    for (const auto& poem : poems) {
        const StressAccuracy a = Measure(poem, mode);
        total = {total.words + a.words, total.rightWords + a.rightWords, total.poems + a.poems,
                 total.rightMetres + a.rightMetres};
    }
    return total;
}

} // namespace kvat::test
