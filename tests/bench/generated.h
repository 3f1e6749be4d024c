#pragma once
// What the benchmarks measure with: one classical quatrain over and over, and melody tokens of
// the shape the methods give, over the whole range (some notes without a chord).

#include "text/strings.h"

#include <string>
#include <vector>

namespace kvat::bench {

inline Lines GeneratedVerse(std::size_t count) {
    static const std::u32string kLines[] = {
        U"Мой дядя самых честных правил,", U"Когда не в шутку занемог,",
        U"Он уважать себя заставил", U"И лучше выдумать не мог."};
    Lines lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) lines.push_back(kLines[i % 4]);
    return lines;
}

// Nine syllables a line, the ictuses marked, the line-final one long, then the line's rest.
inline std::vector<std::string> GeneratedTokens(int lines) {
    static const char* const kLine[] = {"60",  "64+", "67",  "72+",  "61",
                                        "55+", "48",  "83+", "95++", "0"};
    std::vector<std::string> tokens;
    for (int i = 0; i < lines; ++i) tokens.insert(tokens.end(), std::begin(kLine), std::end(kLine));
    return tokens;
}

} // namespace kvat::bench
