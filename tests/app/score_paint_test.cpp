// Painting the score: ink where the clef, notes and ledger lines must be, colours the right way
// round, a painted part equal to the same part of the whole, and the exported files. Every test
// runs with the symbol font registered and, as on a machine without it, with Qt's substitute.

#include "app/score_export.h"
#include "app/score_painter.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvat {
namespace {

// Literals only, so views are enough.
using Tokens = std::vector<std::string_view>;
using Rows = std::vector<std::u32string_view>;
constexpr double kDpi = 96;

// A pixel of ink: darker than the anti-aliased fringe of white.
bool IsInk(QRgb pixel) {
    return qGray(pixel) < 160;
}

int PixelOf(double twips) {
    return int(TwipsToPixels(twips, kDpi));
}

// Ink inside a box given in twips, skipping the pixel rows the staff lines may darken.
int InkIn(const QImage& image, const ScoreLayout& layout, double left, double top, double right,
          double bottom) {
    std::vector<bool> staffRow(image.height() + 2, false);
    for (const auto& item : layout.items)
        if (item.role == ItemRole::kStaff)
            for (int k = 0; k < kStaffLineCount; ++k) {
                const int row = PixelOf(StaffLineY(item, k));
                for (int r = row - 1; r <= row + 1; ++r)
                    if (r >= 0 && r < int(staffRow.size())) staffRow[r] = true;
            }
    int ink = 0;
    for (int y = std::max(0, PixelOf(top)); y <= std::min(image.height() - 1, PixelOf(bottom)); ++y)
        for (int x = std::max(0, PixelOf(left)); x <= std::min(image.width() - 1, PixelOf(right));
             ++x)
            if (!staffRow[y] && IsInk(image.pixel(x, y))) ++ink;
    return ink;
}

ScoreLayout ShortScore(bool colour = false) {
    const Tokens tokens = {"64+", "71", "61++", "0"};
    const Rows rows = {U"ма ", U"ле - ", U"то ", U"_ "};
    ScoreOptions options;
    options.colour = colour;
    return LayoutScore(rows, tokens, ScoreHeader{}, options);
}

class ScorePaint : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!GetParam()) return;
        fontId_ = QFontDatabase::addApplicationFont(QStringLiteral(KVAT_SYMBOL_FONT));
        ASSERT_GE(fontId_, 0);
    }
    void TearDown() override {
        if (fontId_ >= 0) QFontDatabase::removeApplicationFont(fontId_);
    }

private:
    int fontId_ = -1;
};

TEST_P(ScorePaint, InkWhereTheClefAndTheFirstNoteMustBe) {
    const ScoreLayout layout = ShortScore();
    const QImage image = ScoreImage(layout, kDpi);
    ASSERT_EQ(image.size(), QSize(495, 105)); // (4215 + 4 · 800) × 1575 twips, rounded up

    // A substitute font draws the same characters as small punctuation; ours as music, which
    // leaves far more ink.
    const bool music = GetParam();
    // The clef stands at x 50 from its cell top at 443 twips down into the staff.
    EXPECT_GT(InkIn(image, layout, 50, 443, 450, 1000), music ? 80 : 1);
    // The first note, a quarter on the bottom line: head around y 926, stem above it.
    EXPECT_GT(InkIn(image, layout, 950, 600, 1350, 1000), music ? 10 : 1);
    // Its head is centred on that line: ink just above and just below it.
    if (music) {
        EXPECT_GT(InkIn(image, layout, 1000, 870, 1130, 910), 2);
        EXPECT_GT(InkIn(image, layout, 1000, 945, 1130, 985), 2);
    }
    // Nothing between the first two notes below the staff.
    EXPECT_EQ(InkIn(image, layout, 1450, 1000, 1700, 1200), 0);
    // The ledger line of the third note crosses 2550 … 2750 at 1006 twips and stops there.
    const int row = PixelOf(1006.47);
    int ledger = 0;
    for (int x = PixelOf(2560); x <= PixelOf(2740); ++x)
        ledger += IsInk(image.pixel(x, row)) || IsInk(image.pixel(x, row + 1)) ? 1 : 0;
    EXPECT_GE(ledger, PixelOf(2740) - PixelOf(2560) - 1);
    EXPECT_FALSE(IsInk(image.pixel(PixelOf(2400), row)));
    EXPECT_FALSE(IsInk(image.pixel(PixelOf(2400), row + 1)));
    // Syllables on their line at 1275 twips.
    EXPECT_GT(InkIn(image, layout, 950, 1275, 1700, 1575), 5);
}

TEST_P(ScorePaint, SyllableColoursAreBlueGreenRedNumbers) {
    const ScoreLayout layout = ShortScore(true);
    const QImage image = ScoreImage(layout, kDpi);
    // «ма» is 0x0000FF: red. «ле» is 0x00C000: green.
    int red = 0, green = 0;
    for (int y = PixelOf(1275); y < image.height(); ++y) {
        for (int x = PixelOf(950); x < PixelOf(1700); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 120 && c.blue() < 120;
        }
        for (int x = PixelOf(1750); x < PixelOf(2500); ++x) {
            const QColor c = image.pixelColor(x, y);
            green += c.green() > 150 && c.red() < 100 && c.blue() < 100;
        }
    }
    EXPECT_GT(red, 3);
    EXPECT_GT(green, 3);
}

TEST_P(ScorePaint, PaintedPartEqualsThatPartOfTheWhole) {
    Tokens tokens;
    Rows rows;
    const Tokens kinds = {"64+", "61++", "95", "0", "50+", "84", "73++"};
    for (int i = 0; i < 120; ++i) {
        tokens.push_back(kinds[i % kinds.size()]);
        // Now and then a long row that runs under the following notes.
        rows.push_back(i % 17 == 3 ? U"взбзднуть щщщщщщщщщщщщщщщщщщ - " : U"ле - ");
    }
    ScoreOptions options;
    options.colour = true;
    const ScoreLayout layout = LayoutScore(rows, tokens, ScoreHeader{}, options);
    const QImage whole = ScoreImage(layout, kDpi);

    for (const double left : {0.0, 1234.0, 17000.0, 60000.0, layout.canvasWidth - 4215.0}) {
        const QRectF area(left, 0, 4215, layout.canvasHeight);
        const QRect pixels(PixelOf(left), 0, PixelOf(4215), whole.height());
        QImage part(pixels.size(), QImage::Format_RGB32);
        part.setDotsPerMeterX(whole.dotsPerMeterX());
        part.setDotsPerMeterY(whole.dotsPerMeterY());
        part.fill(Qt::magenta);
        QPainter painter(&part);
        ScorePaintOptions paint;
        paint.origin = QPointF(pixels.left() * 1440.0 / kDpi, 0);
        PaintScore(painter, layout, area, paint);
        painter.end();
        // The area's edge pixels may hold ink from just outside it; compare the inside.
        const QRect inside = pixels.adjusted(1, 0, -1, 0);
        EXPECT_EQ(part.copy(inside.translated(-pixels.left(), 0)), whole.copy(inside))
            << "area from " << left;
    }
}

// Far along a long score at a printer's resolution, where device coordinates run past what
// Qt's fixed-point text placement holds.
TEST_P(ScorePaint, TextFarAlongALongScoreStillLands) {
    constexpr std::size_t kCount = 50000;
    const ScoreLayout layout =
        LayoutScore(Rows(kCount, U"ма "), Tokens(kCount, "64+"), ScoreHeader{}, ScoreOptions{});
    constexpr double kPrinterDpi = 1440; // a pixel per twip
    const double lastNote = 1000.0 + 800.0 * (kCount - 1);
    const QRectF area(lastNote - 400, 0, 1600, layout.canvasHeight);
    QImage page(area.size().toSize(), QImage::Format_RGB32);
    page.setDotsPerMeterX(int(std::lround(kPrinterDpi / 0.0254)));
    page.setDotsPerMeterY(int(std::lround(kPrinterDpi / 0.0254)));
    QPainter painter(&page);
    ScorePaintOptions options;
    options.origin = area.topLeft();
    PaintScore(painter, layout, area, options);
    painter.end();
    const auto inkIn = [&](int left, int top, int right, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) ink += IsInk(page.pixel(x, y));
        return ink;
    };
    // The note's stem rises from the bottom line; the syllable sits at 1275 twips.
    EXPECT_GT(inkIn(400, 650, 700, 900), 100);
    EXPECT_GT(inkIn(350, 1275, 800, 1500), 100);
    // The accent at 220 twips.
    EXPECT_GT(inkIn(400, 220, 600, 400), 20);
}

TEST_P(ScorePaint, SvgHoldsOutlinesThatRenderTheNotes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("score.svg"));
    const ScoreLayout layout = ShortScore();
    ASSERT_EQ(WriteScoreSvg(layout, path), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_FALSE(svg.contains("<text")) << "text must be outlines, not font references";

    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    const QImage drawn = ScoreImage(layout, kDpi);
    QImage image(drawn.size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(drawn.dotsPerMeterX());
    image.setDotsPerMeterY(drawn.dotsPerMeterY());
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(renderer.defaultSize())));
    painter.end();
    EXPECT_GT(InkIn(image, layout, 50, 443, 450, 1000), 15);
    EXPECT_GT(InkIn(image, layout, 950, 600, 1350, 1000), 8);
    EXPECT_EQ(InkIn(image, layout, 1450, 1000, 1700, 1200), 0);
}

INSTANTIATE_TEST_SUITE_P(Fonts, ScorePaint, ::testing::Values(true, false), [](const auto& info) {
    return std::string(info.param ? "SymbolFont" : "Substitute");
});

TEST(ScoreExport, PdfTakesOnePagePerTenInches) {
    QTemporaryDir dir;
    const Tokens tokens(60, "64+");
    const Rows rows(60, U"ма ");
    const ScoreLayout layout = LayoutScore(rows, tokens, ScoreHeader{}, ScoreOptions{});
    const QString path = dir.filePath(QStringLiteral("score.pdf"));
    ASSERT_EQ(WriteScorePdf(layout, path), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    // 4215 + 60 · 800 twips over pages of 14400.
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 4);
}

TEST(ScoreExport, PicturesWiderThanTheLimitAreRefusedWithoutAFile) {
    QTemporaryDir dir;
    const std::size_t count = 700; // 4215 + 700 · 800 twips is 37 615 pixels
    const ScoreLayout layout =
        LayoutScore(Rows(count, U"ма "), Tokens(count, "64"), ScoreHeader{}, ScoreOptions{});
    for (const char* name : {"wide.png", "wide.svg"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        const QString error =
            name[5] == 'p' ? WriteScorePng(layout, path) : WriteScoreSvg(layout, path);
        EXPECT_TRUE(error.contains(QStringLiteral("37615"))) << error.toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
}

} // namespace
} // namespace kvat

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
