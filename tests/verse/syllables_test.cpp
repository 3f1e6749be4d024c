#include "verse/syllables.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

std::vector<std::u32string> Rows(const DividedText& d) {
    std::vector<std::u32string> rows;
    for (std::size_t k = 0; k < d.RowCount(); ++k) rows.emplace_back(d.Row(k));
    return rows;
}

std::vector<std::u32string> Rows(std::initializer_list<std::u32string> lines) {
    return Rows(DivideSyllables(Lines(lines)));
}

using R = std::vector<std::u32string>;

TEST(DivideSyllables, MovesTheBoundaryByTheConsonantRules) {
    EXPECT_EQ(Rows({U"парта"}), (R{U"пар - ", U"та ", U"_ ", U" "}));
    EXPECT_EQ(Rows({U"мальчик"}), (R{U"маль - ", U"чик ", U"_ ", U" "}));
    EXPECT_EQ(Rows({U"майка"}), (R{U"май - ", U"ка ", U"_ ", U" "}));
    EXPECT_EQ(Rows({U"кошка"}), (R{U"кош - ", U"ка ", U"_ ", U" "}));
    EXPECT_EQ(Rows({U"сестра"}), (R{U"се - ", U"стра ", U"_ ", U" "}));
    EXPECT_EQ(Rows({U"Тарелка"}), (R{U"Та - ", U"рел - ", U"ка ", U"_ ", U" "}));
    EXPECT_EQ(Rows({U"аист"}), (R{U"а - ", U"ист ", U"_ ", U" "}));
}

TEST(DivideSyllables, TiesVowellessWordsToTheNextSyllable) {
    const auto d = DivideSyllables({U"в лесу к дому"});
    EXPECT_EQ(Rows(d), (R{U"в ле - ", U"су ", U"к до - ", U"му ", U"_ ", U" "}));
    EXPECT_TRUE(d.Messages().empty());
    EXPECT_EQ(Rows({U"в лесу", U"мой дом"}),
              (R{U"в ле - ", U"су ", U"_ ", U"мой ", U"дом ", U"_ ", U" "}));
    EXPECT_EQ(DivideSyllables({U"в лесу", U"мой дом"}).Text(),
              U"в ле - \r\nсу \r\n_ \r\nмой \r\nдом \r\n_ \r\n \r\n");
}

TEST(DivideSyllables, KeepsTheTextAsTyped) {
    EXPECT_EQ(Rows({U"Кто-то, да!"}), (R{U"Кто - ", U" -то, ", U"да! ", U"_ ", U" "}));
    EXPECT_TRUE(Rows({}).empty());
}

TEST(DivideSyllables, ReportsRowsWithoutOrWithSeveralVowels) {
    const auto d = DivideSyllables({U"сказал б", U"", U"лес"});
    EXPECT_EQ(Rows(d), (R{U"ска - ", U"зал ", U"б ", U"_ ", U" ", U"_ ", U"лес ", U"_ ", U" "}));
    ASSERT_EQ(d.Messages().size(), 2u);
    EXPECT_EQ(d.Messages()[0].row, 2u);
    EXPECT_EQ(d.Messages()[0].kind, OrthographyMessage::kNoVowel);
    EXPECT_EQ(d.Messages()[0].text,
              U"Ошибка орфографии! Пустая строка или в слоге [б ] нет гласной буквы. Необходимо "
              U"исправить исходный текст, чтобы получить правильный результат.");
    EXPECT_EQ(d.Messages()[1].row, 4u);

    // A syllable the rules cannot part, such as a word glued to a vowel by a quote mark.
    const auto many = DivideSyllables({U"о'а"});
    EXPECT_EQ(Rows(many), (R{U"о - ", U"'а ", U"_ ", U" "}));
    const auto glued = DivideSyllables({U"аэ-ро"});
    EXPECT_TRUE(glued.Messages().empty());
}

TEST(DivideSyllables, ChecksTheFirstRowToo) {
    const auto d = DivideSyllables({U"", U"лес"});
    ASSERT_EQ(d.Messages().size(), 1u);
    EXPECT_EQ(d.Messages()[0].row, 0u);
    EXPECT_EQ(d.Row(0), U" ");
}

TEST(DivideSyllables, RowsStayInStepWithTheVowelsWhateverTheSpacing) {
    EXPECT_EQ(Rows({U"  мама   мыла  "}), Rows({U"мама мыла"}));
    const std::u32string longWord = U"ааааааааааааа"; // 13 vowels
    const auto rows = Rows({longWord + U" лес"});
    ASSERT_EQ(rows.size(), 13u + 1 + 2);
    EXPECT_EQ(rows[0], U"а - ");
    EXPECT_EQ(rows[12], U"а ");
    EXPECT_EQ(rows[13], U"лес ");
}

TEST(DivideSyllables, ManyVowelsInOneRow) {
    // Quote marks keep the vowels' codes apart but the row still holds two of them.
    const auto d = DivideSyllables({U"а«и»"});
    EXPECT_EQ(Rows(d)[0], U"а - ");
    EXPECT_TRUE(d.Messages().empty());
    const auto underscore = DivideSyllables({U"да_"});
    ASSERT_EQ(underscore.Messages().size(), 1u);
    EXPECT_EQ(underscore.Messages()[0].kind, OrthographyMessage::kManyVowels);
}

} // namespace
} // namespace kvat
