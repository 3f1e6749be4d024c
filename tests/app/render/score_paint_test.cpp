// Painting the score: ink where the clef, notes, ledger lines and coloured syllables must be, a
// painted part equal to the same part of the whole, and text far along a long score. Each runs
// with the symbol font registered and, as on a machine without it, with Qt's substitute.

#include "app/render/score_painter.h"
#include "app/render/symbol_font.h"

#include <QFontDatabase>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kvat {
namespace {

using Tokens = std::vector<std::string_view>;
using Rows = std::vector<std::u32string_view>;
constexpr double kDpi = 96;

bool IsInk(QRgb pixel) { return qGray(pixel) < 160; } // darker than anti-aliased fringes
int PixelOf(double twips) { return int(TwipsToPixels(twips, kDpi)); }

// Ink in a box given in twips, with `dpi` pixels to the inch, skipping the staff's pixel rows.
int InkIn(const QImage& image, double left, double top, double right, double bottom,
          double dpi = kDpi) {
    const auto px = [dpi](double twips) { return int(TwipsToPixels(twips, dpi)); };
    const auto onStaff = [&](int y) {
        for (int k = 0; k < kStaffLineCount; ++k)
            if (std::abs(y - px(1575 / 1.7 - 80 * k)) <= 1) return true;
        return false;
    };
    int ink = 0;
    for (int y = px(top); y <= std::min(image.height() - 1, px(bottom)); ++y)
        for (int x = px(left); x <= std::min(image.width() - 1, px(right)); ++x)
            ink += !onStaff(y) && IsInk(image.pixel(x, y));
    return ink;
}

// A painter's view of `area` (twips) with its origin at the area's left edge.
QImage PaintPart(const ScoreLayout& layout, const QRectF& area, QSize pixels, double dpi) {
    QImage part(pixels, QImage::Format_RGB32);
    part.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    part.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    part.fill(Qt::magenta);
    QPainter painter(&part);
    ScorePaintOptions options;
    options.origin = area.topLeft();
    PaintScore(painter, layout, area, options);
    return part;
}

class ScorePaint : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) fontId_ = QFontDatabase::addApplicationFontFromData(EmbeddedSymbolFont());
        ASSERT_TRUE(!GetParam() || fontId_ >= 0);
    }
    void TearDown() override { QFontDatabase::removeApplicationFont(fontId_); }
    bool Music() const { return GetParam(); } // a substitute draws small punctuation instead

private:
    int fontId_ = -1;
};

TEST_P(ScorePaint, InkWhereTheClefNotesLedgerLineAndSyllablesMustBe) {
    ScoreOptions colour;
    colour.colour = true;
    const QImage image = ScoreImage(
        LayoutScore(Rows{U"ма ", U"ле - ", U"то ", U"_ "}, Tokens{"64+", "71", "61++", "0"},
                    ScoreHeader{}, colour),
        kDpi);
    ASSERT_EQ(image.size(), QSize(495, 105)); // (4215 + 4 · 800) × 1575 twips, rounded up
    EXPECT_GT(InkIn(image, 50, 443, 450, 1000), Music() ? 80 : 1); // the clef
    // The first note, a quarter on the bottom line, its head centred on that line.
    EXPECT_GT(InkIn(image, 950, 600, 1350, 1000), Music() ? 10 : 1);
    EXPECT_GT(InkIn(image, 1000, 870, 1130, 910), Music() ? 2 : -1);
    EXPECT_GT(InkIn(image, 1000, 945, 1130, 985), Music() ? 2 : -1);
    EXPECT_EQ(InkIn(image, 1450, 1000, 1700, 1200), 0); // nothing below between notes 1 and 2
    // The third note's ledger line crosses 2550 … 2750 at 1006 twips and stops there.
    const auto inkAt = [&](int x) {
        return IsInk(image.pixel(x, PixelOf(1006.47))) || IsInk(image.pixel(x, PixelOf(1006.47) + 1));
    };
    for (int x = PixelOf(2560); x <= PixelOf(2740); ++x) EXPECT_TRUE(inkAt(x)) << x;
    EXPECT_FALSE(inkAt(PixelOf(2400)));
    int red = 0; // «ма» in 0x0000FF, which is red: the colour's low byte is red
    for (int y = PixelOf(1275); y < image.height(); ++y)
        for (int x = PixelOf(950); x < PixelOf(1700); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 120 && c.blue() < 120;
        }
    EXPECT_GT(red, 3);
}

TEST_P(ScorePaint, PaintedPartEqualsThatPartOfTheWhole) {
    Tokens tokens;
    Rows rows;
    const Tokens kinds = {"64+", "61++", "95", "0", "50+", "84", "73++"};
    for (std::size_t i = 0; i < 120; ++i) {
        tokens.push_back(kinds[i % kinds.size()]);
        // Now and then a long row that runs under the following notes.
        rows.push_back(i % 17 == 3 ? U"взбзднуть щщщщщщщщщщщщщщщщщщ - " : U"ле - ");
    }
    const ScoreLayout layout = LayoutScore(rows, tokens, ScoreHeader{}, ScoreOptions{});
    const QImage whole = ScoreImage(layout, kDpi);
    for (const double left : {0.0, 1234.0, 17000.0, 60000.0, layout.canvasWidth - 4215.0}) {
        const QRect pixels(PixelOf(left), 0, PixelOf(4215), whole.height());
        const QImage part = PaintPart(
            layout, QRectF(pixels.left() * kTwipsPerInch / kDpi, 0, 4215, layout.canvasHeight),
            pixels.size(), kDpi);
        // The area's edge pixels may hold ink from just outside it; compare the inside.
        const QRect inside = pixels.adjusted(1, 0, -1, 0);
        EXPECT_EQ(part.copy(inside.translated(-pixels.left(), 0)), whole.copy(inside)) << left;
    }
}

// Far along a long score at a printer's resolution, device coordinates run past what Qt's
// fixed-point text placement holds.
TEST_P(ScorePaint, TextFarAlongALongScoreStillLands) {
    constexpr std::size_t kCount = 50000;
    const ScoreLayout layout =
        LayoutScore(Rows(kCount, U"ма "), Tokens(kCount, "64+"), ScoreHeader{}, ScoreOptions{});
    const QRectF area(1000.0 + 800.0 * (kCount - 1) - 400, 0, 1600, layout.canvasHeight);
    const QImage page = PaintPart(layout, area, area.size().toSize(), kTwipsPerInch);
    const auto inkIn = [&](double left, double top, double right, double bottom) {
        return InkIn(page, left, top, right, bottom, kTwipsPerInch);
    };
    EXPECT_GT(inkIn(400, 650, 700, 900), 100);   // the note's stem
    EXPECT_GT(inkIn(350, 1275, 800, 1500), 100); // the syllable
    EXPECT_GT(inkIn(400, 220, 600, 400), 20);    // the accent
}

INSTANTIATE_TEST_SUITE_P(Fonts, ScorePaint, testing::Values(true, false), [](const auto& info) {
    return std::string(info.param ? "SymbolFont" : "Substitute");
});

} // namespace
} // namespace kvat
