#pragma once
// The letter classes every part of the program tells letters apart by. Letters are compared
// after lower-casing unless a class says otherwise.

#include <array>
#include <string_view>

namespace kvat {

inline constexpr std::u32string_view kVowels = U"аеёиоуыэюя";
// Hard and soft rows: every vowel belongs to exactly one of them.
inline constexpr std::u32string_view kHardRow = U"уоаэы";
inline constexpr std::u32string_view kSoftRow = U"юёяеи";
inline constexpr std::u32string_view kVoicedConsonants = U"бвгджзлмнрхцчшщ";
inline constexpr std::u32string_view kVoicelessConsonants = U"кпстф";
inline constexpr std::u32string_view kSigns = U"йьъ";

enum class LetterClass : unsigned char { kOther, kVowel, kVoiced, kVoiceless, kSign };

namespace detail {
// Classes of the lower-case Russian letters а (U+0430) … ё (U+0451), built from the lists above.
constexpr auto kLetterClasses = [] {
    std::array<LetterClass, 0x22> table{};
    auto mark = [&](std::u32string_view letters, LetterClass cls) {
        for (char32_t c : letters) table[c - 0x430] = cls;
    };
    mark(kVowels, LetterClass::kVowel);
    mark(kVoicedConsonants, LetterClass::kVoiced);
    mark(kVoicelessConsonants, LetterClass::kVoiceless);
    mark(kSigns, LetterClass::kSign);
    return table;
}();
} // namespace detail

// `lower` must already be lower-cased.
constexpr LetterClass ClassOf(char32_t lower) {
    return lower >= 0x430 && lower <= 0x451 ? detail::kLetterClasses[lower - 0x430]
                                            : LetterClass::kOther;
}
constexpr bool IsVowel(char32_t lower) {
    return ClassOf(lower) == LetterClass::kVowel;
}
constexpr bool IsSoftVowel(char32_t lower) {
    return kSoftRow.find(lower) != std::u32string_view::npos;
}

} // namespace kvat
