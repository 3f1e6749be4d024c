// Metre scores and their texts where the whole-verse fixtures do not reach: mismatches past
// either end, ties, lines longer than the templates, and the percentages' rounding.

#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/metre.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(MatchFraction, CountsMismatchesPastEitherEnd) {
    EXPECT_DOUBLE_EQ(MatchFraction("010", "011", 3), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(MatchFraction("01", "011", 3), 2.0 / 3.0);
    EXPECT_EQ(MatchFraction("", "011", 3), 0.0);
    EXPECT_EQ(MatchFraction("010", "", 5), 0.0);
}

TEST(Percent, ShowsTwoDecimalsRoundingHalvesAway) {
    EXPECT_EQ(PercentText(0.53125f, U','), U"53,13%");
    EXPECT_EQ(PercentText(0.8f, U'.'), U"80.00%");
    EXPECT_EQ(PercentText(1.0f, U','), U"100,00%");
    EXPECT_EQ(PercentText(0.0f, U','), U"0,00%");
}

TEST(AnalyseVerse, TiesGoToTheLaterMetre) {
    // No vowels: every score is 0 and the anapaest, last in the list, is chosen.
    EXPECT_EQ(AnalyseVerse({U"бвг", U"кпст"}, U',').metre, kAnapaest);
    // Trochee and iamb share the best score: the iamb wins.
    const auto tie = AnalyseVerse({U"7771", U"7711", U"71111"}, U',');
    EXPECT_EQ(tie.scores[kTrochee], tie.scores[kIamb]);
    EXPECT_EQ(tie.metre, kIamb);
}

TEST(AnalyseVerse, VowelsPastTheTemplateAreMismatchesButRedIctuses) {
    // 45 syllables of a perfect iamb against a 42-position template.
    std::u32string line;
    for (int i = 0; i < 45; ++i) line += i % 2 ? U"1" : U"7";
    EXPECT_FLOAT_EQ(AnalyseVerse({line}, U',').scores[kIamb],
                    static_cast<float>(42.0 / 45.0 / 3.0));
    const auto paint = ColourIctuses({std::u32string(45, U'а')}, BuildMetreTemplates(), kIamb);
    EXPECT_EQ(paint[0].substr(40), "01111");
}

} // namespace
} // namespace kvat
