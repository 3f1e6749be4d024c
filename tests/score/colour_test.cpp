// Syllable colours and the colour list's text.

#include "score/syllable_colour.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

struct ColourCase {
    std::u32string syllable;
    std::optional<ColourValue> colour;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
    *out << '"' << EncodeUtf8(c.syllable) << '"';
}

class VowelColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(VowelColourTest, LaterTableRowWins) {
    EXPECT_EQ(VowelColour(GetParam().syllable), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Syllables, VowelColourTest,
    ::testing::Values(ColourCase{U"ле - ", 0x00C000}, ColourCase{U"_ ", 0xFFFFFF},
                      ColourCase{U"пр ", std::nullopt}, ColourCase{U"", std::nullopt},
                      // Table order, not letter order: "о" comes after "ё" in the table.
                      ColourCase{U"Оё", 0x00CFFF}, ColourCase{U"ёо", 0x00CFFF},
                      ColourCase{U"ма - я", 0x8080FF}, ColourCase{U"яма", 0x8080FF},
                      ColourCase{U"ЮЛ", 0xFF8080}, ColourCase{U"ЭХ ", 0xFFFF00},
                      ColourCase{U"Ё", 0x00FF00},
                      // Latin look-alikes are not vowels.
                      ColourCase{U"ao", std::nullopt}, ColourCase{U"бы_", 0xFFFFFF}));

TEST(ColourText, UpperCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(ColourText(0), U"&H0");
    EXPECT_EQ(ColourText(0x0000FF), U"&HFF");
    EXPECT_EQ(ColourText(0x00C000), U"&HC000");
    EXPECT_EQ(ColourText(0x0040C0), U"&H40C0");
    EXPECT_EQ(ColourText(0xFFFFFF), U"&HFFFFFF");
    EXPECT_EQ(ColourText(0xFF8080), U"&HFF8080");
}

TEST(ColourList, OneCrLfLinePerSyllable) {
    EXPECT_EQ(ColourListText({}), U"");
    EXPECT_EQ(ColourListText({0x00C000, 0, 0xFFFFFF}), U"&HC000\r\n&H0\r\n&HFFFFFF\r\n");
}

} // namespace
} // namespace kvat
