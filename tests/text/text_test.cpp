#include "text/strings.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

// The fuzz target proves that accepted bytes round-trip; these are refused at their start: an
// overlong slash, a surrogate, past U+10FFFF, truncated, a stray continuation.
TEST(Utf8, RejectsMalformedSequencesAndSaysWhere) {
    for (const char* bytes :
         {"ab\xC0\xAF", "ab\xED\xA0\x80", "ab\xF4\x90\x80\x80", "ab\xD0", "ab\x80"}) {
        Utf8Error error;
        EXPECT_FALSE(DecodeUtf8(bytes, &error)) << bytes;
        EXPECT_EQ(error.offset, 2u);
    }
}

TEST(Strings, LowerCaseSplitReplaceAndTrimFollowTheEditorsRules) {
    EXPECT_EQ(ToLower(U"ЁЛКА Мама ABC Ї 1!"), U"ёлка мама abc ї 1!");
    EXPECT_TRUE(SplitLines(U"").empty());
    EXPECT_EQ(SplitLines(U"a\r\nb"), (Lines{U"a", U"b"}));
    EXPECT_EQ(SplitLines(U"a\r\n"), (Lines{U"a", U""}));
    EXPECT_EQ(SplitLines(U"a\nb"), (Lines{U"a\nb"}));
    // Left to right without overlap.
    EXPECT_EQ(ReplaceAll<char32_t>(U" не не ", U" не ", U" 7 "), U" 7 не ");
    EXPECT_EQ(ReplaceAll<char32_t>(U"aaaa", U"aa", U"a"), U"aa");
    EXPECT_EQ(ReplaceAll<char32_t>(U"abc", U"", U"x"), U"abc");
    EXPECT_EQ(TrimSpaces(U"  a b  "), U"a b");
    EXPECT_EQ(TrimSpaces(U"   "), U"");
}

} // namespace
} // namespace kvat
