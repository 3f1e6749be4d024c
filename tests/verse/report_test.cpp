#include "verse/colouring.h"
#include "verse/report.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

TEST(VerseReport, ShowsEveryLinesMarksBetweenTitleAndLegend) {
    const Lines lines{U"мама мыла раму мама", U"дорога"};
    const auto pattern = ReadManualIctuses(lines, ColourIctuses(lines, BuildMetreTemplates(), kIamb));
    EXPECT_EQ(VerseReport(pattern),
              U"Kvat-1.05: О стихотворении\r\n\r\nСтруктура стихотворения:\r\n\r\n"
              U"01010101\r\n010\r\n\r\n"
              U"где, 1 - ударная гласная, 0 - безударная гласная.");
}

TEST(VerseReport, UnpaintedHandPlacementReportsZeros) {
    const Lines lines{U"Ёлка", U"", U"лес"};
    EXPECT_EQ(VerseReport(ReadManualIctuses(lines, {})),
              U"Kvat-1.05: О стихотворении\r\n\r\nСтруктура стихотворения:\r\n\r\n"
              U"00\r\n\r\n0\r\n\r\nгде, 1 - ударная гласная, 0 - безударная гласная.");
}

} // namespace
} // namespace kvat
