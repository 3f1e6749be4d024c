// The dictionary stress mode: how well it reads marked verse, and what holds for any line.

#include "stress_accuracy.h"
#include "text/utf8.h"
#include "verse/stress_lexicon.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kvat {
namespace {

// Forty marked poems of the RIFMA dataset; the rule reads about half their words right.
TEST(DictionaryStress, ReadsMarkedVerseAsMarked) {
    std::ifstream in(KVAT_TEST_DATA "/verse/rifma-sample.txt");
    std::stringstream bytes;
    bytes << in.rdbuf();
    const auto poems = Split(std::u32string_view(DecodeUtf8(bytes.str()).value_or(U"")),
                             std::u32string_view(U"\n=====\n"));
    ASSERT_EQ(poems.size(), 40u);
    const test::StressAccuracy total = test::Measure(poems, StressMode::kDictionary);
    EXPECT_GE(total.rightWords, 0.98 * total.words);
    EXPECT_GE(total.rightMetres, 39);
}

struct Case {
    std::u32string line;
    std::string stress; // empty: only the rule's length is checked
};

class DictionaryLines : public testing::TestWithParam<Case> {};

TEST_P(DictionaryLines, KeepTheRulesLength) {
    const Lines lines{GetParam().line};
    const std::string stress = AnalyseVerse(lines, U',', StressMode::kDictionary).stress.at(0);
    EXPECT_EQ(stress.size(), StressStrings(lines).at(0).size());
    if (!GetParam().stress.empty()) {
        EXPECT_EQ(stress, GetParam().stress);
    }
}

std::u32string Repeated(std::u32string_view piece, std::size_t bytes) {
    std::u32string text;
    while (text.size() * 2 < bytes) text += piece;
    return text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Stresses, DictionaryLines, testing::Values(
    Case{U"Буря мглою небо кроет", "10101010"},
    Case{U"за́мок", "10"}, Case{U"замо́к", "01"},           // the user's accent decides
    Case{U"Всё-таки кто-то в дороге", "10010010"},        // ё, and particles after a hyphen
    Case{U"соба1ка и собака", "00100010"}));              // typed digits stay the rule's

INSTANTIATE_TEST_SUITE_P(AnyInput, DictionaryLines, testing::Values(
    Case{U"Moscow, Москва-река и iPhone 7", ""}, Case{U"\u0301\u0300а\u0301\u0301 о-\u0301-", ""},
    Case{U"ѐЁёЀ - — 1о0е7ы", ""}, Case{std::u32string(100000, U'я'), ""},
    Case{Repeated(U"Мы́ло, soap; 10 - ёж\u0300ик-то, взаимопритяженья ", 5'000'000), ""}));
// clang-format on

TEST(StressLexicon, KeepsEveryReadingAndSurvivesACutTable) {
    EXPECT_EQ(LexiconReadings(U"замок"), (std::vector<int>{1, 2}));
    EXPECT_EQ(LexiconReadings(U"через"), (std::vector<int>{0, 1}));
    EXPECT_EQ(LexiconReadings(U"ястреб"), (std::vector<int>{1}));
    EXPECT_TRUE(LexiconReadings(U"шмургель").empty());
    for (std::size_t size : {0, 20, 24, 4000, 600000})
        EXPECT_TRUE(LexiconReadings(U"ястреб", StressLexiconBytes().first(size)).empty());
}

TEST(DictionaryStress, UnderlinesTheWordsNoLexiconHolds) {
    const auto a =
        AnalyseVerse({U"Шмургель и лес", U"", U"лес, шмургелями"}, U',', StressMode::kDictionary);
    EXPECT_EQ(a.unknownWords, (std::vector<std::vector<TextSpan>>{{{0, 8}}, {}, {{5, 10}}}));
    EXPECT_TRUE(AnalyseVerse({U"Шмургель"}, U',').unknownWords.empty());
}

// A memo kept across edits answers as a fresh analysis would, whatever the edit changed of a
// word: its accent, its ё, a hyphen before it, a particle after it.
TEST(DictionaryStress, AMemoKeptAcrossEditsChangesNothing) {
    const std::vector<Lines> edits = {
        {U"За́мок на горе, кто-то", U"Шмургель"},
        {U"Замо́к на горе, кто то", U"Шмургель и лес"},
        {U"Замок на горе, кто-то", U"Шмургеля"},
        {U"Замок на горе, кто-то", U"Шмургель"},
    };
    WordStressMemo memo;
    for (const Lines& lines : edits) {
        const VerseAnalysis fresh = AnalyseVerse(lines, U',', StressMode::kDictionary);
        const VerseAnalysis again = AnalyseVerse(lines, U',', StressMode::kDictionary, &memo);
        EXPECT_TRUE(again.stress == fresh.stress && again.unknownWords == fresh.unknownWords &&
                    again.metre == fresh.metre)
            << EncodeUtf8(lines[0]);
    }
}

} // namespace
} // namespace kvat
