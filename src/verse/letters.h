#pragma once
// The letter classes every part of the program tells letters apart by. Letters are compared
// after lower-casing unless a class says otherwise.

#include <string_view>

namespace kvat {

inline constexpr std::u32string_view kVowels = U"аеёиоуыэюя";
// Hard and soft rows: every vowel belongs to exactly one of them.
inline constexpr std::u32string_view kHardRow = U"уоаэы";
inline constexpr std::u32string_view kSoftRow = U"юёяеи";
inline constexpr std::u32string_view kVoicedConsonants = U"бвгджзлмнрхцчшщ";
inline constexpr std::u32string_view kVoicelessConsonants = U"кпстф";
inline constexpr std::u32string_view kSigns = U"йьъ";

// `lower` must already be lower-cased.
constexpr bool IsVowel(char32_t lower) { return kVowels.find(lower) != std::u32string_view::npos; }
constexpr bool IsSoftVowel(char32_t lower) {
    return kSoftRow.find(lower) != std::u32string_view::npos;
}

} // namespace kvat
