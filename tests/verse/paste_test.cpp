// Paste clean-up where the fuzz target's promises do not reach: which dashes stay, and lone
// CR or LF, which are no line break here.

#include "verse/paste.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(CleanPastedText, JoinsStanzasAndDropsBlankLinesIndentsAndDashesSetOffByASpace) {
    EXPECT_EQ(CleanPastedText(U"  Мороз и солнце;\r\n   день — чудесный!\r\n\r\n\r\n"
                              U"Ещё ты дремлешь,  друг прелестный —\r\n\r\n"),
              U"Мороз и солнце;\r\nдень чудесный!\r\nЕщё ты дремлешь, друг прелестный");
    EXPECT_EQ(CleanPastedText(U"слово—слово – слово - слово\tслово"),
              U"слово—слово – слово - слово\tслово");
    // The window hands the clipboard text over with CR LF line breaks.
    EXPECT_EQ(CleanPastedText(U"а \r\r\n б"), U"а \r\r\nб");
    EXPECT_EQ(CleanPastedText(U"а\n\nб"), U"а\n\nб");
}

} // namespace
} // namespace kvat
