#include "text/strings.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

// The fuzz target proves that accepted bytes round-trip; these are refused at their start.
TEST(Utf8, RejectsMalformedSequencesAndSaysWhere) {
    const std::string cases[] = {
        std::string("ab\xC0\xAF"),          // overlong slash
        std::string("ab\xED\xA0\x80"),      // surrogate
        std::string("ab\xF4\x90\x80\x80"),  // past U+10FFFF
        std::string("ab\xD0"),              // truncated
        std::string("ab\x80"),              // stray continuation
    };
    for (const auto& bytes : cases) {
        Utf8Error error;
        EXPECT_FALSE(DecodeUtf8(bytes, &error)) << bytes;
        EXPECT_EQ(error.offset, 2u);
    }
}

TEST(Strings, LowerCaseCoversRussianAndLeavesOthers) {
    EXPECT_EQ(ToLower(U"ЁЛКА Мама ABC Ї 1!"), U"ёлка мама abc ї 1!");
}

TEST(Strings, SplitFollowsTheEditorsRules) {
    EXPECT_TRUE(SplitLines(U"").empty());
    EXPECT_EQ(SplitLines(U"a\r\nb"), (Lines{U"a", U"b"}));
    EXPECT_EQ(SplitLines(U"a\r\n"), (Lines{U"a", U""}));
    EXPECT_EQ(SplitLines(U"a\nb"), (Lines{U"a\nb"}));
}

TEST(Strings, ReplaceScansLeftToRightWithoutOverlapAndTrimOnlySpaces) {
    EXPECT_EQ(ReplaceAll<char32_t>(U" не не ", U" не ", U" 7 "), U" 7 не ");
    EXPECT_EQ(ReplaceAll<char32_t>(U"aaaa", U"aa", U"a"), U"aa");
    EXPECT_EQ(ReplaceAll<char32_t>(U"abc", U"", U"x"), U"abc");
    EXPECT_EQ(TrimSpaces(U"  a b  "), U"a b");
    EXPECT_EQ(TrimSpaces(U"   "), U"");
}

} // namespace
} // namespace kvat
