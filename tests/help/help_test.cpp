#include "help/help_texts.h"
#include "help/sample_verse.h"
#include "text/strings.h"
#include "text/utf8.h"
#include "verse/syllables.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

// The FAQ quotes the editor's sample, and the sample raises no orthography message.
TEST(Faq, QuotesTheSampleInItsFortyEightLines) {
    const std::u32string faq = ShowFaq(kSampleVerse);
    ASSERT_TRUE(faq.ends_with(U"\r\n"));
    const auto lines =
        Split(std::u32string_view(faq).substr(0, faq.size() - 2), std::u32string_view(U"\r\n"));
    ASSERT_EQ(lines.size(), 48u);
    // The platform answers are this program's, on Linux.
    for (std::u32string_view windows : {U"Пуск", U"System32", U"richtx32"})
        EXPECT_EQ(faq.find(windows), std::u32string::npos);
    EXPECT_EQ(lines[22], U"\"" + std::u32string(kSampleVerse[0]));
    EXPECT_EQ(lines[26], std::u32string(kSampleVerse[3]) + U"\"");
    EXPECT_TRUE(
        DivideSyllables(Lines(kSampleVerse.begin(), kSampleVerse.end())).Messages().empty());
}

// Every source whose work the program carries is named with its licence.
TEST(Credits, NameEverySourceAndItsLicence) {
    for (std::u32string_view name : {U"GNU General Public License версии 3", U"festvox-ru",
                                     U"mueller7accent", U"espeak-ng", U"Emmentaler", U"SIL Open"})
        EXPECT_NE(kCredits.find(name), std::u32string_view::npos) << EncodeUtf8(name);
}

} // namespace
} // namespace kvat
