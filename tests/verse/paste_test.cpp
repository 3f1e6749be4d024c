#include "verse/paste.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(CleanPastedText, JoinsStanzasAndDropsBlankLinesAndIndents) {
    EXPECT_EQ(CleanPastedText(U"  Мороз и солнце;\r\n   день чудесный!\r\n\r\n\r\n"
                              U"Ещё ты дремлешь,  друг прелестный \r\n\r\n"),
              U"Мороз и солнце;\r\nдень чудесный!\r\nЕщё ты дремлешь, друг прелестный");
    EXPECT_EQ(CleanPastedText(U"\r\n\r\n \r\nстрока\r\n"), U"строка");
    EXPECT_EQ(CleanPastedText(U""), U"");
    EXPECT_EQ(CleanPastedText(U" \r\n "), U"");
}

TEST(CleanPastedText, DropsOnlyDashesSetOffByASpace) {
    EXPECT_EQ(CleanPastedText(U"слово — слово"), U"слово слово");
    EXPECT_EQ(CleanPastedText(U"слово —\r\nслово"), U"слово\r\nслово");
    EXPECT_EQ(CleanPastedText(U"слово—слово"), U"слово—слово");
    EXPECT_EQ(CleanPastedText(U"слово – слово - слово\tслово"), U"слово – слово - слово\tслово");
}

TEST(CleanPastedText, LeavesLoneCarriageReturnsAndLineFeedsAlone) {
    // Only CR LF is a line break here; the window hands the clipboard text over in that form.
    EXPECT_EQ(CleanPastedText(U"а \r\r\n б"), U"а \r\r\nб");
    EXPECT_EQ(CleanPastedText(U"а\n\nб"), U"а\n\nб");
}

TEST(CleanPastedText, CollapsesArbitrarilyLongRuns) {
    const std::u32string spaces(100000, U' ');
    std::u32string breaks;
    for (int i = 0; i < 50000; ++i) breaks += U"\r\n ";
    EXPECT_EQ(CleanPastedText(U"а" + spaces + U"б" + breaks + U"в"), U"а б\r\nв");
}

} // namespace
} // namespace kvat
