#include "app/render/score_export.h"

#include "app/render/score_painter.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace kvat {
namespace {

QString TooWide(const ScoreLayout& layout) {
    const auto width = PictureTooWide(layout);
    if (!width) return {};
    return QStringLiteral("the score is %1 pixels wide, more than the %2 a picture may be; "
                          "write .pdf, which takes any length")
        .arg(*width)
        .arg(kMaxPictureWidth);
}

QRectF Canvas(const ScoreLayout& layout) {
    return QRectF(0, 0, layout.canvasWidth, layout.canvasHeight);
}

} // namespace

std::optional<int> PictureTooWide(const ScoreLayout& layout) {
    const int width = ScorePixelSize(layout, kScorePictureDpi).width();
    if (width <= kMaxPictureWidth && layout.canvasWidth < 1e9f) return std::nullopt;
    return width;
}

QString RenderScorePng(const ScoreLayout& layout, QByteArray& bytes) {
    if (QString tooWide = TooWide(layout); !tooWide.isEmpty()) return tooWide;
    const QImage image = ScoreImage(layout, kScorePictureDpi);
    if (image.isNull()) return QStringLiteral("not enough memory for the picture");
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QStringLiteral("cannot encode the PNG");
    return {};
}

QString RenderScoreSvg(const ScoreLayout& layout, QByteArray& bytes) {
    if (QString tooWide = TooWide(layout); !tooWide.isEmpty()) return tooWide;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = ScorePixelSize(layout, kScorePictureDpi);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(int(kScorePictureDpi));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Kvat"));
    QPainter painter;
    if (!painter.begin(&svg)) return QStringLiteral("cannot start the SVG");
    ScorePaintOptions options;
    options.text = ScoreText::kOutlines;
    PaintScore(painter, layout, Canvas(layout), options);
    painter.end();
    return {};
}

QString RenderScorePdf(const ScoreLayout& layout, QByteArray& bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const double pageWidth = std::min<double>(layout.canvasWidth, kPdfPageWidth);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Kvat"));
    // One device unit per twip.
    pdf.setResolution(int(kTwipsPerInch));
    pdf.setPageSize(
        QPageSize(QSizeF(pageWidth / kTwipsPerPoint, layout.canvasHeight / kTwipsPerPoint),
                  QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) return QStringLiteral("cannot start the PDF");
    const int pages = std::max(1, int(std::ceil(layout.canvasWidth / pageWidth)));
    for (int page = 0; page < pages; ++page) {
        if (page > 0) pdf.newPage();
        const double left = page * pageWidth;
        ScorePaintOptions options;
        options.origin = QPointF(left, 0);
        PaintScore(painter, layout, QRectF(left, 0, pageWidth, layout.canvasHeight), options);
    }
    painter.end();
    return {};
}

} // namespace kvat
