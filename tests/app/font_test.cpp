// The symbol font as the score uses it: its tables read byte by byte, its glyphs as Qt
// measures them, and the glyphs Qt actually draws for the plain characters.

#include "app/symbol_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

const QByteArray& Font() {
    static const QByteArray font = kvat::EmbeddedSymbolFont();
    return font;
}

// Big-endian fields of one of the font's tables, read without a font library.
struct Table {
    explicit Table(const char* tag) : bytes(QRawFont(Font(), 12).fontTable(tag)) {}
    int U16(qsizetype at) const {
        return (std::uint8_t(bytes[at]) << 8) | std::uint8_t(bytes[at + 1]);
    }
    int S16(qsizetype at) const { return std::int16_t(U16(at)); }
    QByteArray bytes;
};

QString Name(int id) {
    const Table name("name");
    for (int i = 0, n = name.U16(2); i < n; ++i) {
        const int record = 6 + 12 * i;
        if (name.U16(record) != 3 || name.U16(record + 6) != id) continue;
        QString text;
        for (int k = 0; k < name.U16(record + 8); k += 2)
            text += QChar(name.U16(name.U16(4) + name.U16(record + 10) + k));
        return text;
    }
    return {};
}

bool HasSymbolMap() {
    const Table cmap("cmap");
    for (int i = 0, n = cmap.U16(2); i < n; ++i)
        if (cmap.U16(4 + 8 * i) == 3 && cmap.U16(6 + 8 * i) == 0) return true;
    return false;
}

constexpr int Codes[] = {36, 40, 41, 42, 46,  48,  49,  50,  51,  52,  53,  54,  55, 56,
                         57, 58, 59, 77, 100, 105, 106, 107, 108, 110, 111, 112, 113};

TEST(FontTables, NamesMetricsAndSymbolMap) {
    ASSERT_GT(Font().size(), 1000);
    EXPECT_EQ(Name(1), "Kvat Symbols");
    EXPECT_EQ(Name(2), "Regular");
    EXPECT_EQ(Name(4), "Kvat Symbols");
    EXPECT_EQ(Name(5), "Version 1.05");
    EXPECT_EQ(Name(6), "KvatSymbols");
    // The source font's licence reserves its names: none of ours may carry them.
    for (int id = 0; id < 26; ++id)
        for (const char* reserved : {"Emmentaler", "Feta"})
            EXPECT_FALSE(Name(id).contains(reserved, Qt::CaseInsensitive)) << id;
    EXPECT_EQ(Table("head").U16(18), 1000);
    EXPECT_EQ(Table("OS/2").U16(74), 851);
    EXPECT_EQ(Table("OS/2").U16(76), 1350);
    EXPECT_EQ(Table("hhea").S16(4), 1457);
    EXPECT_EQ(Table("hhea").S16(6), -980);
    EXPECT_TRUE(HasSymbolMap());
}

class FontInQt : public testing::Test {
protected:
    static void SetUpTestSuite() { QFontDatabase::addApplicationFontFromData(Font()); }
    // At 1000 pixels to the em a font unit is a pixel; Qt's y grows downwards.
    QRawFont raw_{Font(), 1000};
    QRectF Box(int code) {
        const auto glyphs = raw_.glyphIndexesForString(QString(QChar(code)));
        return glyphs.size() == 1 && glyphs[0] != 0 ? raw_.boundingRect(glyphs[0]) : QRectF();
    }
};

// Each glyph against the staff it is printed on, in units above its baseline: its lowest
// point must fall in [low_from, low_to] and its highest in [high_from, high_to]. Note heads
// are centred on the baseline and stems reach 750-802 up or 756-889 down; the clef spans the
// staff (its bottom line 872 below, its top line 268 above); the rest straddles the middle
// line (372.5 above) inside the staff; a digit fills half of the staff (159 to 730).
struct Reach {
    int code;
    double low_from, low_to, high_from, high_to;
};
constexpr Reach Reaches[] = {
    {46, -150, -135, 745, 760},   {58, -150, -135, 745, 760}, {59, -150, -135, 795, 810},
    {40, -895, -750, 135, 150},   {41, -765, -750, 135, 150}, {42, -895, -880, 135, 150},
    {36, -1500, -872, 268, 1000}, {77, -199, 372, 373, 943},  {48, 150, 170, 720, 740},
    {100, -450, -300, 300, 450},
};

TEST_F(FontInQt, GlyphsSitWhereTheStaffExpectsThem) {
    ASSERT_TRUE(raw_.isValid());
    EXPECT_EQ(raw_.familyName(), kvat::SymbolFontFamily);
    EXPECT_DOUBLE_EQ(raw_.unitsPerEm(), 1000);
    QList<quint32> seen;
    for (int code : Codes) {
        const auto glyph = raw_.glyphIndexesForString(QString(QChar(code)));
        EXPECT_TRUE(glyph.size() == 1 && glyph[0] != 0 && !seen.contains(glyph[0])) << code;
        seen += glyph;
    }
    for (const Reach& r : Reaches) {
        const QRectF box = Box(r.code);
        EXPECT_GE(-box.bottom(), r.low_from) << r.code;
        EXPECT_LE(-box.bottom(), r.low_to) << r.code;
        EXPECT_GE(-box.top(), r.high_from) << r.code;
        EXPECT_LE(-box.top(), r.high_to) << r.code;
    }
    // The sharp stands left of the pen and makes room for the note printed after it.
    const auto sharp = raw_.glyphIndexesForString("d");
    EXPECT_NEAR(raw_.advancesForGlyphIndexes(sharp)[0].x(), 225, 0.5);
    EXPECT_NEAR(Box('d').left(), -196, 0.5);
    EXPECT_LT(Box('d').right(), 225);
}

QRect Ink(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST_F(FontInQt, QtDrawsOurGlyphForEveryPlainCharacter) {
    QFont font(kvat::SymbolFontFamily);
    font.setPixelSize(200);
    EXPECT_EQ(QFontInfo(font).family(), kvat::SymbolFontFamily);
    // Painters place a glyph by the top of its cell; the ascent Qt reports must be that cell.
    EXPECT_NEAR(QFontMetricsF(font).ascent(), kvat::SymbolFontCellAscent * 200, 1);
    const QPointF pen(200, 400);
    for (int code : Codes) {
        QImage image(800, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(pen, QString(QChar(code)));
        painter.end();
        // Our outline at this size; another font's glyph would leave ink elsewhere.
        const QRectF box = Box(code);
        const QRectF expected(pen + box.topLeft() / 5, box.size() / 5);
        const QRect ink = Ink(image);
        EXPECT_LE((ink.topLeft() - expected.topLeft()).manhattanLength(), 4) << code;
        EXPECT_LE((ink.bottomRight() - expected.bottomRight()).manhattanLength(), 4) << code;
    }
}

} // namespace
