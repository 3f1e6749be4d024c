// Painting the score, with the symbol font registered and, as on a machine without it, with Qt's
// substitute: ink where the clef, notes, ledger line and coloured syllable must be, a painted
// part equal to that part of the whole, text far along a long score. And installing the font
// into a private folder, again, over files that are not ours, and never through a link.

#include "app/render/score_painter.h"
#include "app/render/symbol_font.h"

#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>

namespace kvat {
namespace {

using Tokens = std::vector<std::string_view>;
using Rows = std::vector<std::u32string_view>;
constexpr double kDpi = 96;

bool IsInk(QRgb pixel) {
    return qGray(pixel) < 160;
} // darker than anti-aliased fringes

// Ink in a box in twips, with `dpi` pixels to the inch, skipping the staff's pixel rows.
int InkIn(const QImage& image, QRectF twips, double dpi = kDpi) {
    const auto px = [dpi](double t) { return int(TwipsToPixels(t, dpi)); };
    const auto onStaff = [&](int y) {
        for (int k = 0; k < kStaffLineCount; ++k)
            if (std::abs(y - px(1575 / 1.7 - 80 * k)) <= 1) return true;
        return false;
    };
    int ink = 0;
    for (int y = px(twips.top()); y <= std::min(image.height() - 1, px(twips.bottom())); ++y)
        for (int x = px(twips.left()); x <= std::min(image.width() - 1, px(twips.right())); ++x)
            ink += IsInk(image.pixel(x, y)) && !onStaff(y);
    return ink;
}

// What a painter draws of `area` (twips) with its origin at the area's corner.
QImage PaintPart(const ScoreLayout& layout, const QRectF& area, double dpi) {
    QImage part(
        QSizeF(TwipsToPixels(area.width(), dpi), TwipsToPixels(area.height(), dpi)).toSize(),
        QImage::Format_RGB32);
    part.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    part.setDotsPerMeterY(part.dotsPerMeterX());
    part.fill(Qt::magenta);
    QPainter painter(&part);
    PaintScore(painter, layout, area, {ScoreText::kGlyphs, true, area.topLeft()});
    return part;
}

class ScorePaint : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) font_ = QFontDatabase::addApplicationFontFromData(EmbeddedSymbolFont());
        ASSERT_TRUE(!GetParam() || font_ >= 0);
    }
    void TearDown() override { QFontDatabase::removeApplicationFont(font_); }
    int font_ = -1;
};

TEST_P(ScorePaint, InkWhereTheClefNotesLedgerLineAndSyllablesMustBe) {
    ScoreOptions colour;
    colour.colour = true;
    const QImage image = ScoreImage(LayoutScore(Rows{U"ма ", U"ле - ", U"то ", U"_ "},
                                                Tokens{"64+", "71", "61++", "0"}, {}, colour),
                                    kDpi);
    ASSERT_EQ(image.size(), QSize(495, 105)); // (4215 + 4 · 800) × 1575 twips, rounded up
    const bool music = GetParam();            // a substitute draws small punctuation instead
    EXPECT_GT(InkIn(image, {50, 443, 400, 557}), music ? 80 : 1);  // the clef
    EXPECT_GT(InkIn(image, {1000, 870, 130, 40}), music ? 2 : -1); // the first note's head
    EXPECT_EQ(InkIn(image, {1450, 1000, 250, 200}), 0); // nothing below between notes 1 and 2
    // The third note's ledger line crosses 2550 … 2750 at 1006 twips and stops there.
    const int row = int(TwipsToPixels(1006.47, kDpi));
    for (int x = 170; x <= 182; ++x)
        EXPECT_TRUE(IsInk(image.pixel(x, row)) || IsInk(image.pixel(x, row + 1))) << x;
    EXPECT_FALSE(IsInk(image.pixel(160, row)) || IsInk(image.pixel(160, row + 1)));
    int red = 0; // «ма» in 0x0000FF, which is red: the colour's low byte is red
    for (int y = 85; y < image.height(); ++y)
        for (int x = 63; x < 113; ++x)
            red += image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 120 &&
                   image.pixelColor(x, y).blue() < 120;
    EXPECT_GT(red, 3);
}

TEST_P(ScorePaint, PaintedPartEqualsThatPartOfTheWholeFarAlongToo) {
    Tokens tokens;
    Rows rows;
    for (std::size_t i = 0; i < 120; ++i) {
        tokens.push_back(Tokens{"64+", "61++", "95", "0", "50+", "84", "73++"}[i % 7]);
        // Now and then a long row that runs under the following notes.
        rows.push_back(i % 17 == 3 ? U"взбзднуть щщщщщщщщщщщщщщщщщщ - " : U"ле - ");
    }
    const ScoreLayout layout = LayoutScore(rows, tokens, {}, {});
    const QImage whole = ScoreImage(layout, kDpi);
    for (const int left : {0, 82, 1133, 4000, int(layout.canvasWidth / 15) - 281}) {
        const QImage part =
            PaintPart(layout, QRectF(left * 15, 0, 4215, layout.canvasHeight), kDpi);
        // The area's edge pixels may hold ink from just outside it; compare the inside.
        const QRect inside(1, 0, part.width() - 2, part.height());
        EXPECT_EQ(part.copy(inside), whole.copy(inside.translated(left, 0))) << left;
    }
    // Far along a long score at a printer's resolution, device coordinates run past what Qt's
    // fixed-point text placement holds: the stem, the syllable and the accent still land.
    const ScoreLayout long_ = LayoutScore(Rows(50000, U"ма "), Tokens(50000, "64+"), {}, {});
    const QImage page = PaintPart(
        long_, {1000.0 + 800.0 * 49999 - 400, 0, 1600, long_.canvasHeight}, kTwipsPerInch);
    EXPECT_GT(InkIn(page, {400, 650, 300, 250}, kTwipsPerInch), 100);
    EXPECT_GT(InkIn(page, {350, 1275, 450, 225}, kTwipsPerInch), 100);
    EXPECT_GT(InkIn(page, {400, 220, 200, 180}, kTwipsPerInch), 20);
}

INSTANTIATE_TEST_SUITE_P(Fonts, ScorePaint, testing::Values(true, false), [](const auto& info) {
    return std::string(info.param ? "SymbolFont" : "Substitute");
});

class InstallSymbolFont : public testing::Test {
protected:
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static struct stat Stat(const QString& path) {
        struct stat st {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        return st;
    }
    QTemporaryDir root_;
    QString folder_ = root_.filePath("data/kvat"), file_ = folder_ + "/" + SymbolFontFileName;
    const QByteArray font_ = EmbeddedSymbolFont();
};

TEST_F(InstallSymbolFont, WritesAPrivateCopyWhereTheEnvironmentSaysAndReplacesAnyOther) {
    qputenv("KVAT_DATA_DIR", QFile::encodeName(folder_));
    EXPECT_TRUE(kvat::InstallSymbolFont());
    qunsetenv("KVAT_DATA_DIR");
    EXPECT_TRUE(QFontDatabase::families().contains(SymbolFontFamily));
    QByteArray damaged = font_;
    damaged[damaged.size() / 2] = ~damaged[damaged.size() / 2];
    for (const QByteArray& stale : {font_, QByteArray(100000, 'x'), damaged, font_ + "tail"}) {
        Write(file_, stale);
        ::chmod(QFile::encodeName(folder_).constData(), 0777);
        EXPECT_TRUE(kvat::InstallSymbolFont(folder_));
        EXPECT_EQ(Read(file_), font_) << stale.size();
        EXPECT_EQ(Stat(folder_).st_mode & 0777, 0700u);
    }
    EXPECT_EQ(Stat(file_).st_mode & 0777, 0600u);
}

// A refused place costs the file, not the font: it is registered from memory instead.
TEST_F(InstallSymbolFont, NeverWritesThroughALinkNorFailsStartUp) {
    const QString victim = root_.filePath("victim.txt"), elsewhere = root_.filePath("elsewhere");
    Write(victim, "someone else's");
    QDir().mkpath(folder_);
    QDir().mkpath(elsewhere);
    ASSERT_TRUE(QFile::link(victim, file_) && QFile::link(elsewhere, root_.filePath("linked")));
    for (const QString& folder : {folder_, root_.filePath("linked"), victim})
        EXPECT_TRUE(kvat::InstallSymbolFont(folder)) << folder.toStdString();
    EXPECT_EQ(Read(victim), "someone else's");
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

} // namespace
} // namespace kvat
