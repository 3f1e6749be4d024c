// What the method settings show: the scroll bars' texts in their plural forms, and the random
// note map.

#include "melody/method.h"
#include "melody/method_texts.h"
#include "melody/note_map.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kvat {
namespace {

TEST(MethodTexts, CaptionAndScrollBarTexts) {
    EXPECT_EQ(MethodCaption(kMethods[4].name), U"Настройки метода: тональный (линейный)");
    const std::pair<std::u32string, std::u32string_view> texts[] = {
        {KeyText(0), U" Играть не изменяя тона"},
        {KeyText(1), U" Играть на 1 тон выше"},
        {KeyText(4), U" Играть на 4 тона выше"},
        {KeyText(-5), U" Играть на 5 тонов ниже"},
        {ShiftText(0, U','), U" Играть как \"не диезные\""},
        {ShiftText(1, U','), U" Сместить на 0,5 шага"},
        {ShiftText(2, U','), U" Сместить на 1 шаг"},
        {ShiftText(4, U','), U" Сместить на 2 шага"},
        {ShiftText(10, U','), U" Сместить на 5 шагов"},
        {ShiftText(3, U'.'), U" Сместить на 1.5 шага"},
        {CentreText(0), U" Не смещать центр строки"},
        {CentreText(-1), U" Сместить центр на -1 икт"},
        {CentreText(-2), U" Сместить центр на -2 икта"},
        {CentreText(5), U" Сместить центр на 5 иктов"}};
    for (const auto& [text, expected] : texts) EXPECT_EQ(text, expected);
}

TEST(RandomNoteMap, DrawsEachVowelFromTheChosenOctaves) {
    const std::array<int, 3> lows = {0, 12, 0}, highs = {11, 23, 23};
    for (int item = 0; item < 3; ++item) {
        std::mt19937_64 random(42);
        std::vector<int> drawn;
        for (int draw = 0; draw < 50; ++draw)
            for (int index : RandomNoteMap(NoteMap{}, item, random)) drawn.push_back(index);
        // 500 draws reach both ends of the range and never leave it.
        EXPECT_EQ(*std::min_element(drawn.begin(), drawn.end()), lows[item]);
        EXPECT_EQ(*std::max_element(drawn.begin(), drawn.end()), highs[item]);
    }
    std::mt19937_64 a(7), b(7);
    EXPECT_EQ(RandomNoteMap(NoteMap{}, 2, a), RandomNoteMap(NoteMap{}, 2, b));
    const NoteMap kept = {1, 2, 3, 4, 5, 6, 7, 8, 9, -1};
    EXPECT_EQ(RandomNoteMap(kept, -1, a), kept);
}

} // namespace
} // namespace kvat
