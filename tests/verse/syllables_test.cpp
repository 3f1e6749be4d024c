// Syllable division by rule: where the boundary moves between consonants, text kept as typed,
// and the orthography messages, down to the first row and rows of several vowels.

#include "verse/syllables.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

using R = std::vector<std::u32string>;

R Rows(const DividedText& d) {
    R rows;
    for (std::size_t k = 0; k < d.RowCount(); ++k) rows.emplace_back(d.Row(k));
    return rows;
}

TEST(DivideSyllables, MovesTheBoundaryByTheConsonantRulesAndKeepsTheTextAsTyped) {
    const std::pair<std::u32string, R> cases[] = {
        {U"парта", {U"пар - ", U"та "}},   {U"мальчик", {U"маль - ", U"чик "}},
        {U"майка", {U"май - ", U"ка "}},   {U"кошка", {U"кош - ", U"ка "}},
        {U"сестра", {U"се - ", U"стра "}}, {U"Тарелка", {U"Та - ", U"рел - ", U"ка "}},
        {U"аист", {U"а - ", U"ист "}},     {U"Кто-то, да!", {U"Кто - ", U" -то, ", U"да! "}},
    };
    for (auto [line, rows] : cases) {
        rows.insert(rows.end(), {U"_ ", U" "});
        EXPECT_EQ(Rows(DivideSyllables({line})), rows);
    }
    EXPECT_TRUE(Rows(DivideSyllables({})).empty());
}

TEST(DivideSyllables, ReportsRowsWithoutOrWithSeveralVowelsFromTheFirstRowOn) {
    const auto d = DivideSyllables({U"сказал б", U"", U"лес"});
    EXPECT_EQ(Rows(d), (R{U"ска - ", U"зал ", U"б ", U"_ ", U" ", U"_ ", U"лес ", U"_ ", U" "}));
    ASSERT_EQ(d.Messages().size(), 2u);
    EXPECT_EQ(d.Messages()[0].row, 2u);
    EXPECT_EQ(d.Messages()[0].kind, OrthographyMessage::kNoVowel);
    EXPECT_NE(d.Messages()[0].text.find(U"[б ]"), std::u32string::npos);
    EXPECT_EQ(d.Messages()[1].row, 4u);
    EXPECT_EQ(DivideSyllables({U"", U"лес"}).Messages().at(0).row, 0u);
    // A quote mark keeps two vowels in one row apart; a typed "_" is one more vowel.
    EXPECT_EQ(Rows(DivideSyllables({U"о'а"}))[0], U"о - ");
    for (const char32_t* glued : {U"аэ-ро", U"а«и»"})
        EXPECT_TRUE(DivideSyllables({glued}).Messages().empty());
    const auto underscore = DivideSyllables({U"да_"});
    ASSERT_EQ(underscore.Messages().size(), 1u);
    EXPECT_EQ(underscore.Messages()[0].kind, OrthographyMessage::kManyVowels);
}

} // namespace
} // namespace kvat
