#pragma once
// The long verse the benchmarks measure with: one classical quatrain over and over.

#include "text/strings.h"

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

} // namespace kvat::bench
