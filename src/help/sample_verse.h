#pragma once
// The quatrain the editor starts with; the FAQ quotes it to show what the program expects.
// Every syllable of it holds one vowel, so the first drawing raises no orthography message.

#include <array>
#include <string_view>

namespace kvat {

inline constexpr std::array<std::u32string_view, 4> kSampleVerse = {
    U"Буря мглою небо кроет,",
    U"Вихри снежные крутя.",
    U"То, как зверь, она завоет,",
    U"То заплачет, как дитя.",
};

} // namespace kvat
