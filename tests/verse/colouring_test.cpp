#include "verse/analysis.h"
#include "verse/colouring.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

const MetreTemplateList kTemplates = BuildMetreTemplates();

TEST(ColourIctuses, WalksEachLineFromTheTemplatesStart) {
    // Trochee is walked from its third character: vowels 1, 3, 5 and 7.
    EXPECT_EQ(ColourIctuses({U"мама мама мама мама"}, kTemplates, kTrochee),
              (VowelPaint{"10101010"}));
    EXPECT_EQ(ColourIctuses({U"Мама", U"", U"дорога"}, kTemplates, kIamb),
              (VowelPaint{"01", "", "010"}));
    EXPECT_EQ(ColourIctuses({U"дорога дорога"}, kTemplates, kDactyl), (VowelPaint{"100100"}));
    // Hand placement leaves the colours to the user.
    EXPECT_EQ(ColourIctuses({U"мама"}, kTemplates, kManualMetre), (VowelPaint{""}));
}

TEST(ColourIctuses, VowelsPastTheTemplateAreRed) {
    const std::u32string line(45, U'а');
    const auto paint = ColourIctuses({line}, kTemplates, kIamb);
    EXPECT_EQ(paint[0].substr(40), "01111");
}

TEST(RedPositions, CountLineBreaksOnce) {
    const Lines lines{U"мама", U"Ау"};
    EXPECT_EQ(RedPositions(lines, {"01", "10"}), (std::vector<std::size_t>{3, 5}));
    EXPECT_EQ(RedPositions(lines, ColourIctuses(lines, kTemplates, kTrochee)),
              (std::vector<std::size_t>{1, 5}));
}

TEST(ReadManualIctuses, GivesOneMarkPerVowelAndTheLineStructure) {
    const Lines lines{U"мама", U"", U"Рама"};
    EXPECT_EQ(ReadManualIctuses(lines, {}), "00\r\n\r\n\r\n\r\n00\r\n");
    // Extra marks are ignored, a vowel in another colour adds nothing.
    EXPECT_EQ(ReadManualIctuses(lines, {"101", "1", "x1"}), "10\r\n\r\n\r\n\r\n1\r\n");
    EXPECT_EQ(ReadManualIctuses({}, {}), "\r\n");
}

TEST(ReadManualIctuses, OfAMetresColoursGivesItsIctuses) {
    const Lines lines{U"мама мыла раму мама", U"дорога"};
    EXPECT_EQ(ReadManualIctuses(lines, ColourIctuses(lines, kTemplates, kIamb)),
              "01010101\r\n\r\n010\r\n");
}

} // namespace
} // namespace kvat
