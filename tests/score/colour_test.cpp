// Syllable colours and the colour list's text where the golden JSON does not reach.

#include "score/syllable_colour.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(VowelColour, LaterTableRowWinsWhateverTheLetterOrder) {
    const std::pair<std::u32string, std::optional<ColourValue>> cases[] = {
        {U"Оё", 0x00CFFF},      {U"ёо", 0x00CFFF},     {U"бы_", 0xFFFFFF},
        {U"пр ", std::nullopt}, {U"ao", std::nullopt}, // Latin look-alikes
    };
    for (const auto& [syllable, colour] : cases)
        EXPECT_EQ(VowelColour(syllable), colour) << syllable.size();
    EXPECT_EQ(ColourText(0), U"&H0");
    EXPECT_EQ(ColourListText({}), U"");
    EXPECT_EQ(ColourListText({0x00C000, 0}), U"&HC000\r\n&H0\r\n");
}

} // namespace
} // namespace kvat
