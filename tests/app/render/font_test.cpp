// The symbol font as the score uses it: Qt draws our glyph for every character the score prints,
// and the cell Qt reports is the one the painter places glyphs by.

#include "app/render/symbol_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>

namespace kvat {
namespace {

// Every code the score layout prints in the symbol font.
constexpr int kCodes[] = {36, 40, 41, 42, 46,  48,  49,  50,  51,  52,  53,  54,  55, 56,
                          57, 58, 59, 77, 100, 105, 106, 107, 108, 110, 111, 112, 113};

QRect Ink(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(SymbolFont, QtDrawsOurGlyphForEveryCharacterTheScorePrints) {
    const QByteArray data = EmbeddedSymbolFont();
    ASSERT_GE(QFontDatabase::addApplicationFontFromData(data), 0);
    const QRawFont raw(data, 1000); // a font unit to the pixel; Qt's y grows downwards
    QFont font(SymbolFontFamily);
    font.setPixelSize(200);
    // Painters place a glyph by the top of its cell; the ascent Qt reports must be that cell.
    EXPECT_NEAR(QFontMetricsF(font).ascent(), SymbolFontCellAscent * 200, 1);
    QList<quint32> seen;
    const QPointF pen(200, 400);
    for (int code : kCodes) {
        const auto glyph = raw.glyphIndexesForString(QString(QChar(code)));
        ASSERT_TRUE(glyph.size() == 1 && glyph[0] != 0 && !seen.contains(glyph[0])) << code;
        seen += glyph;
        QImage image(800, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(pen, QString(QChar(code)));
        painter.end();
        // Our outline at this size; another font's glyph would leave ink elsewhere.
        const QRectF box = raw.boundingRect(glyph[0]);
        const QRectF expected(pen + box.topLeft() / 5, box.size() / 5);
        const QRect ink = Ink(image);
        EXPECT_LE((ink.topLeft() - expected.topLeft()).manhattanLength(), 4) << code;
        EXPECT_LE((ink.bottomRight() - expected.bottomRight()).manhattanLength(), 4) << code;
    }
}

} // namespace
} // namespace kvat
