// Syllable colours and the colour list's text.

#include "score/syllable_colour.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(VowelColour, LaterTableRowWinsWhateverTheLetterOrder) {
    const std::pair<std::u32string, std::optional<ColourValue>> cases[] = {
        {U"ле - ", 0x00C000}, {U"_ ", 0xFFFFFF},  {U"пр ", std::nullopt},
        {U"Оё", 0x00CFFF},    {U"ёо", 0x00CFFF},  {U"яма", 0x8080FF},
        {U"ЮЛ", 0xFF8080},    {U"бы_", 0xFFFFFF}, {U"ao", std::nullopt}, // Latin look-alikes
    };
    for (const auto& [syllable, colour] : cases)
        EXPECT_EQ(VowelColour(syllable), colour) << syllable.size();
}

TEST(ColourText, UpperCaseHexWithoutLeadingZerosOneLinePerSyllable) {
    EXPECT_EQ(ColourText(0), U"&H0");
    EXPECT_EQ(ColourText(0x0000FF), U"&HFF");
    EXPECT_EQ(ColourText(0x0040C0), U"&H40C0");
    EXPECT_EQ(ColourText(0xFF8080), U"&HFF8080");
    EXPECT_EQ(ColourListText({}), U"");
    EXPECT_EQ(ColourListText({0x00C000, 0, 0xFFFFFF}), U"&HC000\r\n&H0\r\n&HFFFFFF\r\n");
}

} // namespace
} // namespace kvat
