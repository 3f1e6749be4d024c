#pragma once
// The texts of the method settings' labels (the method list's own are in method.h).

#include "melody/song.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kvat {

// A choice of the song method as the command line and the settings store name it (`word`, and
// a tonic also by its flat, `alias`) and as its panel lists it (`item`), in the value's order.
struct SongChoiceText {
    std::string_view word;
    std::string_view alias;
    std::u32string_view item;
};

inline constexpr std::array<SongChoiceText, 12> kTonicTexts = {{
    {"C", "C", U"C"},
    {"C#", "Db", U"C# / Db"},
    {"D", "D", U"D"},
    {"D#", "Eb", U"D# / Eb"},
    {"E", "E", U"E"},
    {"F", "F", U"F"},
    {"F#", "Gb", U"F# / Gb"},
    {"G", "G", U"G"},
    {"G#", "Ab", U"G# / Ab"},
    {"A", "A", U"A"},
    {"A#", "Bb", U"A# / Bb"},
    {"B", "B", U"B"},
}};
inline constexpr std::array<SongChoiceText, 2> kModeTexts = {{
    {"major", "major", U"мажор"},
    {"minor", "minor", U"минор"},
}};
inline constexpr std::array<SongChoiceText, kSongRangeCount> kRangeTexts = {{
    {"soprano", "soprano", U"сопрано"},
    {"alto", "alto", U"альт"},
    {"tenor", "tenor", U"тенор"},
    {"bass", "bass", U"бас"},
}};

// The value whose word or alias is `word`; nothing for none.
template <std::size_t N>
constexpr std::optional<int> SongChoiceOf(const std::array<SongChoiceText, N>& texts,
                                          std::string_view word) {
    for (std::size_t i = 0; i < N; ++i)
        if (texts[i].word == word || texts[i].alias == word) return static_cast<int>(i);
    return std::nullopt;
}

// The settings panel's caption for a method: "Настройки метода: " and the method's list text
// with its first letter lower-cased.
std::u32string MethodCaption(std::u32string_view methodName);

// The text under a method panel's key bar: " Играть на 5 тонов ниже" for -5.
std::u32string KeyText(int value);

// The text under the soft-vowel shift bar, which counts half steps: " Сместить на 0,5 шага" for 1
// with a comma as the decimal separator.
std::u32string ShiftText(int value, char32_t decimalSeparator);

// The text under the line-centre bar, the value with its sign: " Сместить центр на -2 икта".
std::u32string CentreText(int value);

} // namespace kvat
