#include "app/render/score_painter.h"

#include "app/render/qt_colour.h"
#include "score/item_extent.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QtEndian>

#include <cmath>

namespace kvat {
namespace {

constexpr double kLineWidthTwips = 15; // one pixel on a 96 dpi screen
constexpr double kInchesPerMetre = 1 / 0.0254;

QString ToQString(std::u32string_view text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

QFont ItemFont(const ScoreItem& item) {
    QFont font(QString::fromUtf8(FontFamily(item.font).data(),
                                 static_cast<qsizetype>(FontFamily(item.font).size())));
    font.setPointSizeF(item.size);
    font.setItalic(item.italic);
    font.setBold(item.bold);
    return font;
}

// The top of a character cell lies the font's Windows ascent above the baseline; Qt's own
// ascent comes from the horizontal header, which for the symbol font is much taller.
double CellAscentEm(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    if (os2.size() >= 76 && head.size() >= 20) {
        const auto winAscent = qFromBigEndian<quint16>(os2.constData() + 74);
        const auto unitsPerEm = qFromBigEndian<quint16>(head.constData() + 18);
        if (unitsPerEm > 0) return double(winAscent) / unitsPerEm;
    }
    const QFontInfo info(font);
    return info.pixelSize() > 0 ? QFontMetricsF(font).ascent() / info.pixelSize() : 0.9;
}

class ItemPainter {
public:
    ItemPainter(QPainter& painter, const ScoreLayout& layout, const ScorePaintOptions& options)
        : painter_(painter), layout_(layout), text_(options.text), origin_(options.origin) {
        const QPaintDevice* device = painter.device();
        dpiX_ = device ? device->logicalDpiX() : 96;
        dpiY_ = device ? device->logicalDpiY() : 96;
    }

    void Paint(const ScoreItem& item) {
        switch (item.kind) {
        case ItemKind::kLine:
            PaintLine(item.colour, item.x, item.y, item.x2, item.y2);
            break;
        case ItemKind::kStaff:
            for (int k = 0; k < kStaffLineCount; ++k) {
                const float y = StaffLineY(item, k);
                PaintLine(item.colour, item.x, y, item.x2, y);
            }
            break;
        case ItemKind::kText:
            PaintText(item);
            break;
        }
    }

    QRectF PixelRect(const QRectF& twips) const {
        return QRectF(Pixels(twips.left(), twips.top()), Pixels(twips.right(), twips.bottom()));
    }

private:
    QPointF Pixels(double x, double y) const {
        return {TwipsToPixels(x - origin_.x(), dpiX_), TwipsToPixels(y - origin_.y(), dpiY_)};
    }

    void PaintLine(ColourValue colour, float x1, float y1, float x2, float y2) {
        QPen pen(ToQColor(colour));
        // A whole number of the device's pixels however the painter is scaled: a zoomed staff
        // would otherwise draw its five lines in two widths.
        const double scale = painter_.transform().m22();
        pen.setCosmetic(true);
        pen.setWidth(std::max(
            1, static_cast<int>(std::lround(TwipsToPixels(kLineWidthTwips, dpiY_) * scale))));
        pen.setCapStyle(Qt::FlatCap);
        painter_.setPen(pen);
        // Sharp lines: the staff is drawn over itself where columns overlap.
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.drawLine(Pixels(x1, y1), Pixels(x2, y2));
    }

    void PaintText(const ScoreItem& item) {
        const std::u32string_view text = layout_.Text(item);
        if (text.empty()) return;
        const Style& style = StyleOf(item);
        QPointF baseline = Pixels(item.x, item.y);
        baseline.ry() += style.ascentEm * TwipsToPixels(item.size * kTwipsPerPoint, dpiY_);
        painter_.setRenderHint(QPainter::Antialiasing, true);
        if (text_ == ScoreText::kOutlines) {
            painter_.fillPath(Outline(style, item, text, baseline), ToQColor(item.colour));
        } else {
            painter_.setFont(style.font);
            painter_.setPen(ToQColor(item.colour));
            painter_.drawText(baseline, ToQString(text));
        }
    }

    struct Style {
        QFont font;
        double ascentEm = 0;
        QRawFont raw; // for outlines, sized in device pixels
    };

    const Style& StyleOf(const ScoreItem& item) {
        const qint64 key = qint64(std::lround(item.size * 100)) << 3 | int(item.font) << 2 |
                           int(item.italic) << 1 | int(item.bold);
        auto it = styles_.find(key);
        if (it == styles_.end()) {
            Style style;
            style.font = ItemFont(item);
            style.ascentEm = CellAscentEm(style.font);
            if (text_ == ScoreText::kOutlines) {
                style.raw = QRawFont::fromFont(style.font);
                style.raw.setPixelSize(TwipsToPixels(item.size * kTwipsPerPoint, dpiY_));
            }
            it = styles_.insert(key, style);
        }
        return *it;
    }

    QPainterPath Outline(const Style& style, const ScoreItem& item, std::u32string_view text,
                         QPointF baseline) const {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        const QList<quint32> glyphs = style.raw.glyphIndexesForString(ToQString(text));
        const QList<QPointF> advances = style.raw.advancesForGlyphIndexes(glyphs);
        QPointF pen = baseline;
        for (qsizetype g = 0; g < glyphs.size(); ++g) {
            path.addPath(style.raw.pathForGlyph(glyphs[g]).translated(pen));
            pen += advances.value(g);
        }
        if (glyphs.isEmpty() || glyphs.contains(0u)) {
            // Characters the first font lacks: let Qt's font merging find them.
            path = QPainterPath();
            QFont font = style.font;
            font.setPixelSize(
                std::max(1, int(std::lround(TwipsToPixels(item.size * kTwipsPerPoint, dpiY_)))));
            path.addText(baseline, font, ToQString(text));
        }
        return path;
    }

    QPainter& painter_;
    const ScoreLayout& layout_;
    ScoreText text_;
    QPointF origin_;
    double dpiX_ = 96, dpiY_ = 96;
    QHash<qint64, Style> styles_;
};

bool Meets(const ScoreItem& item, const TwipRect& area) {
    return ItemExtent(item).Intersects(area);
}

} // namespace

void PaintScore(QPainter& painter, const ScoreLayout& layout, const QRectF& area,
                const ScorePaintOptions& options) {
    const TwipRect band{float(area.left()), float(area.top()), float(area.right()),
                        float(area.bottom())};
    ItemPainter items(painter, layout, options);
    painter.save();
    if (options.background) painter.fillRect(items.PixelRect(area), Qt::white);

    // The staff once, at its final length: every shorter staff lies under it.
    if (layout.longestStaff < layout.items.size() && Meets(layout.items[layout.longestStaff], band))
        items.Paint(layout.items[layout.longestStaff]);

    const std::size_t headerEnd = !options.header              ? 0
                                  : layout.columnStart.empty() ? layout.items.size()
                                                               : layout.columnStart.front();
    for (std::size_t i = 0; i < headerEnd; ++i) {
        const ScoreItem& item = layout.items[i];
        if (item.role != ItemRole::kStaff && Meets(item, band)) items.Paint(item);
    }

    const ColumnRange columns = ColumnsMeeting(layout, band.left, band.right);
    if (columns.last > columns.first) {
        for (std::size_t i = layout.columnStart[columns.first];
             i < layout.columnStart[columns.last]; ++i) {
            const ScoreItem& item = layout.items[i];
            if (item.role != ItemRole::kStaffExtension && Meets(item, band)) items.Paint(item);
        }
    }
    painter.restore();
}

void PaintSystem(QPainter& painter, const ScoreLayout& layout, std::size_t first, std::size_t last,
                 double width, bool opening, QPointF at) {
    painter.save();
    ScorePaintOptions options;
    options.origin = -at;
    ItemPainter start(painter, layout, options);
    if (layout.longestStaff < layout.items.size()) {
        ScoreItem staff = layout.items[layout.longestStaff];
        staff.x = 0;
        staff.x2 = static_cast<float>(width);
        start.Paint(staff);
    }
    const std::size_t headerEnd =
        layout.columnStart.empty() ? layout.items.size() : layout.columnStart.front();
    for (std::size_t i = 0; i < headerEnd; ++i) {
        const ItemRole role = layout.items[i].role;
        const bool everySystem = role == ItemRole::kClef || role == ItemRole::kNumerator ||
                                 role == ItemRole::kDenominator;
        if (everySystem || (opening && role != ItemRole::kStaff)) start.Paint(layout.items[i]);
    }
    last = std::min(last, layout.ColumnCount());
    if (first < last) {
        options.origin = QPointF(kColumnWidth * static_cast<double>(first) - at.x(), -at.y());
        ItemPainter columns(painter, layout, options);
        for (std::size_t i = layout.columnStart[first]; i < layout.columnStart[last]; ++i)
            if (layout.items[i].role != ItemRole::kStaffExtension) columns.Paint(layout.items[i]);
    }
    painter.restore();
}

QSize ScorePixelSize(const ScoreLayout& layout, double dpi) {
    return QSize(int(std::ceil(TwipsToPixels(layout.canvasWidth, dpi))),
                 int(std::ceil(TwipsToPixels(layout.canvasHeight, dpi))));
}

QImage ScoreImage(const ScoreLayout& layout, double dpi) {
    QImage image(ScorePixelSize(layout, dpi), QImage::Format_RGB32);
    if (image.isNull()) return image;
    const int dotsPerMetre = int(std::lround(dpi * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    PaintScore(painter, layout, QRectF(0, 0, layout.canvasWidth, layout.canvasHeight));
    return image;
}

} // namespace kvat
