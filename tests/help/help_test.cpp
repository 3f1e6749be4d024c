#include "help/help_texts.h"
#include "help/sample_verse.h"
#include "text/strings.h"
#include "verse/syllables.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(Faq, HasItsFortyEightLinesWithTheSampleQuoted) {
    const std::u32string faq = ShowFaq(kSampleVerse);
    ASSERT_TRUE(faq.ends_with(U"\r\n"));
    const auto lines = Split(std::u32string_view(faq).substr(0, faq.size() - 2),
                             std::u32string_view(U"\r\n"));
    ASSERT_EQ(lines.size(), 48u);
    EXPECT_EQ(lines[0], U"Kvat-1.05: FAO");
    EXPECT_EQ(lines[22], U"\"Буря мглою небо кроет,");
    EXPECT_EQ(lines[24], U"");
    EXPECT_EQ(lines[26], U"То заплачет, как дитя.\"");
    EXPECT_EQ(lines[31], U" * * * ");
    EXPECT_EQ(lines[36], U"\"Буря мглою небо кроет, -");
    EXPECT_EQ(lines[37], U"Вихри снежные крутя .");
    EXPECT_EQ(lines[39], U"То заплачет, как дитя .\"");
    EXPECT_EQ(lines[41], U"Правильно:");
    // The platform answers are this program's, on Linux.
    for (std::u32string_view windows : {U"Пуск", U"System32", U"richtx32"})
        EXPECT_EQ(faq.find(windows), std::u32string::npos);
    EXPECT_EQ(lines[47], U"Все ошибки будут исправлены со временем. Пишите, если обнаружили другие ошибки.");
}

TEST(SampleVerse, DividesWithoutAnyOrthographyMessage) {
    const Lines lines(kSampleVerse.begin(), kSampleVerse.end());
    EXPECT_TRUE(DivideSyllables(lines).Messages().empty());
    EXPECT_TRUE(kSampleVerse[1].ends_with(U".") && kSampleVerse[3].ends_with(U"."));
}

} // namespace
} // namespace kvat
