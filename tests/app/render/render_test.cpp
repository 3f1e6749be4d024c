// Painting the score: ink where the clef, notes, ledger line and coloured syllable must be, and a
// painted part equal to that part of the whole. And installing the font into a private folder,
// again, over files that are not ours, and never through a link.

#include "app/render/score_export.h"
#include "app/render/score_painter.h"
#include "app/render/symbol_font.h"

#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace kvat {
namespace {

using Tokens = std::vector<std::string_view>;
using Rows = std::vector<std::u32string_view>;
constexpr double kDpi = 96;

// Darker than anti-aliased fringes.
bool IsInk(QRgb pixel) {
    return qGray(pixel) < 160;
}

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

struct ScorePaint : testing::Test {
    static void SetUpTestSuite() {
        QFontDatabase::addApplicationFontFromData(EmbeddedSymbolFont());
    }
};

TEST_F(ScorePaint, InkWhereTheClefNotesLedgerLineAndSyllablesMustBe) {
    ScoreOptions colour;
    colour.colour = true;
    const QImage image = ScoreImage(LayoutScore(Rows{U"ма ", U"ле - ", U"то ", U"_ "},
                                                Tokens{"64+", "71", "61++", "0"}, {}, colour),
                                    kDpi);
    ASSERT_EQ(image.size(), QSize(495, 105));         // (4215 + 4 · 800) × 1575 twips, rounded up
    EXPECT_GT(InkIn(image, {50, 443, 400, 557}), 80); // the clef
    EXPECT_GT(InkIn(image, {1000, 870, 130, 40}), 2); // the first note's head
    EXPECT_EQ(InkIn(image, {1450, 1000, 250, 200}), 0); // nothing below between notes 1 and 2
    // The third note's ledger line crosses 2550 … 2750 at 1006 twips and stops there.
    EXPECT_GE(InkIn(image, {2560, 1000, 180, 30}), 13);
    EXPECT_EQ(InkIn(image, {2400, 1000, 15, 30}), 0);
    int red = 0; // «ма» in 0x0000FF, which is red: the colour's low byte is red
    for (int y = 85; y < image.height(); ++y)
        for (int x = 63; x < 113; ++x)
            red += image.pixelColor(x, y).hsvHue() == 0 &&
                   image.pixelColor(x, y).hsvSaturation() > 150;
    EXPECT_GT(red, 3);
}

TEST_F(ScorePaint, PaintedPartEqualsThatPartOfTheWhole) {
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
}

// Every system of every page opens with its clef: ink in the strip before the first note on
// each system's rows, the staff lines' own rows left out.
TEST_F(ScorePaint, EverySystemOfAPageOpensWithItsClef) {
    const Tokens tokens(300, "64+");
    const Rows rows(300, U"ле - ");
    const ScoreLayout layout = LayoutScore(rows, tokens, {}, {});
    const ScorePages plan = PlanScorePages(layout, QPageSize(QPageSize::A4));
    ASSERT_GT(plan.pages, 1);
    for (int page = 0; page < plan.pages; ++page) {
        QImage image(794, 1123, QImage::Format_RGB32); // A4 at 96 dpi
        image.setDotsPerMeterX(int(std::lround(kDpi / 0.0254)));
        image.setDotsPerMeterY(image.dotsPerMeterX());
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintScorePage(painter, layout, plan, "Заглавие", page);
        painter.end();
        const int left = int(TwipsToPixels(plan.margin, kDpi)), strip = 25; // the clef alone
        int clefs = 0, blank = 100;
        for (int y = 0; y < image.height(); ++y) {
            int line = 0, ink = 0;
            for (int x = left; x < image.width() - left; ++x) line += IsInk(image.pixel(x, y));
            for (int x = left; x < left + strip; ++x) ink += IsInk(image.pixel(x, y));
            if (line > (image.width() - 2 * left) / 2) continue; // a staff line's row
            if (ink > 0 && blank > 10) ++clefs;
            blank = ink > 0 ? 0 : blank + 1;
        }
        const auto [first, last] = plan.Systems(page);
        EXPECT_EQ(clefs, int(last - first)) << page;
    }
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}
std::filesystem::perms Mode(const QString& path) {
    return std::filesystem::status(path.toStdString()).permissions() & std::filesystem::perms::all;
}

TEST(InstallSymbolFont, WritesAPrivateCopyWhereTheEnvironmentSaysAndReplacesAnyOther) {
    const QTemporaryDir root;
    const QString folder = root.filePath("data/kvat"), file = folder + "/" + SymbolFontFileName;
    qputenv("KVAT_DATA_DIR", QFile::encodeName(folder));
    EXPECT_TRUE(InstallSymbolFont());
    qunsetenv("KVAT_DATA_DIR");
    EXPECT_TRUE(QFontDatabase::families().contains(SymbolFontFamily));
    const QByteArray font = EmbeddedSymbolFont();
    QByteArray damaged = font;
    damaged[damaged.size() / 2] = ~damaged[damaged.size() / 2];
    for (const QByteArray& stale : {font, QByteArray(100000, 'x'), damaged, font + "tail"}) {
        Write(file, stale);
        std::filesystem::permissions(folder.toStdString(), std::filesystem::perms::all);
        EXPECT_TRUE(InstallSymbolFont(folder));
        EXPECT_EQ(Read(file), font) << stale.size();
        EXPECT_EQ(Mode(folder), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(Mode(file), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// A refused place costs the file, not the font: it is registered from memory instead.
TEST(InstallSymbolFont, NeverWritesThroughALinkNorFailsStartUp) {
    const QTemporaryDir root;
    const QString victim = root.filePath("victim.txt"), elsewhere = root.filePath("elsewhere");
    Write(victim, "someone else's");
    QDir().mkpath(root.filePath("data"));
    QDir().mkpath(elsewhere);
    ASSERT_TRUE(QFile::link(victim, root.filePath("data/") + SymbolFontFileName));
    ASSERT_TRUE(QFile::link(elsewhere, root.filePath("linked")));
    for (const char* folder : {"data", "linked", "victim.txt"})
        EXPECT_TRUE(InstallSymbolFont(root.filePath(folder))) << folder;
    EXPECT_EQ(Read(victim), "someone else's");
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

} // namespace
} // namespace kvat
