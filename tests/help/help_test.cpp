#include "help/help_texts.h"
#include "help/sample_verse.h"
#include "text/strings.h"
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
    EXPECT_EQ(lines[22], U"\"" + std::u32string(kSampleVerse[0]));
    EXPECT_EQ(lines[26], std::u32string(kSampleVerse[3]) + U"\"");
    EXPECT_TRUE(
        DivideSyllables(Lines(kSampleVerse.begin(), kSampleVerse.end())).Messages().empty());
}

} // namespace
} // namespace kvat
