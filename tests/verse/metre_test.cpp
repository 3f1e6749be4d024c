#include "verse/analysis.h"
#include "verse/metre.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(MetreTemplates, AreBuiltAsTwentyOneFeet) {
    const auto t = BuildMetreTemplates();
    EXPECT_EQ(t[kTrochee].size(), 44u);
    EXPECT_EQ(t[kTrochee].substr(0, 6), "001010");
    EXPECT_EQ(t[kIamb].size(), 42u);
    EXPECT_EQ(t[kAnapaest].substr(60), "001");
    EXPECT_EQ(t[kManualMetre], std::string(63, '0'));
}

TEST(MatchFraction, CountsMismatchesPastEitherEnd) {
    EXPECT_DOUBLE_EQ(MatchFraction("010", "011", 3), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(MatchFraction("01", "011", 3), 2.0 / 3.0);
    EXPECT_EQ(MatchFraction("", "011", 3), 0.0);
    EXPECT_EQ(MatchFraction("010", "", 5), 0.0);
}

TEST(Percent, ShowsTwoDecimalsRoundingHalvesAway) {
    EXPECT_EQ(PercentText(0.53125f, U','), U"53,13%");
    EXPECT_EQ(PercentText(2.0f / 3.0f, U','), U"66,67%");
    EXPECT_EQ(PercentText(0.8f, U'.'), U"80.00%");
    EXPECT_EQ(PercentText(1.0f, U','), U"100,00%");
    EXPECT_EQ(PercentText(0.0f, U','), U"0,00%");
}

TEST(AnalyseVerse, PerfectIambQuatrainScoresTwoThirdsBecauseOfTheClosingEntries) {
    const Lines verse(4, U"мама мыла раму");
    const auto a = AnalyseVerse(verse, U',');
    EXPECT_EQ(a.metre, kIamb);
    EXPECT_FLOAT_EQ(a.scores[kIamb], 4.0f / 6.0f);
    ASSERT_EQ(a.items.size(), 6u);
    EXPECT_EQ(a.items[kIamb], U"Ямб - 66,67%");
    EXPECT_EQ(a.items[kTrochee].substr(0, 8), U"Хорей - ");
    EXPECT_EQ(a.items[5], U"Расстановка иктов вручную");

    // Every blank line lowers all scores alike.
    Lines withBlank = verse;
    withBlank.insert(withBlank.begin() + 2, U"");
    EXPECT_FLOAT_EQ(AnalyseVerse(withBlank, U',').scores[kIamb], 4.0f / 7.0f);
}

TEST(AnalyseVerse, TiesGoToTheLaterMetre) {
    // No vowels: every score is 0 and the anapaest, last in the list, is chosen.
    EXPECT_EQ(AnalyseVerse({U"бвг", U"кпст"}, U',').metre, kAnapaest);
    // Trochee and iamb share the best score: the iamb wins.
    const auto tie = AnalyseVerse({U"7771", U"7711", U"71111"}, U',');
    EXPECT_EQ(tie.scores[kTrochee], tie.scores[kIamb]);
    EXPECT_EQ(tie.metre, kIamb);
}

TEST(AnalyseVerse, EmptyTextLeavesTheListEmptyAndChoosesNothing) {
    const auto a = AnalyseVerse({}, U',');
    EXPECT_TRUE(a.items.empty());
    EXPECT_FALSE(a.metre);
    EXPECT_EQ(a.templates[kIamb].size(), 42u);
    for (float s : a.scores) EXPECT_EQ(s, 0.0f);
}

TEST(AnalyseVerse, VowelsPastTheTemplateCountAsMismatches) {
    // 45 syllables of a perfect iamb against a 42-position template.
    std::u32string line;
    for (int i = 0; i < 45; ++i) line += i % 2 ? U"1" : U"7";
    const auto a = AnalyseVerse({line}, U',');
    EXPECT_FLOAT_EQ(a.scores[kIamb], static_cast<float>(42.0 / 45.0 / 3.0));
}

TEST(ManualLines, SplitThePatternPerEditorLine) {
    EXPECT_EQ(ManualLines("10\r\n\r\n\r\n\r\n01\r\n"),
              (std::vector<std::string>{"10", "", "01\r\n"}));
}

} // namespace
} // namespace kvat
