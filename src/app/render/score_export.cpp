#include "app/render/score_export.h"

#include "app/render/score_painter.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace kvat {
namespace {

QString TooWide(const ScoreLayout& layout) {
    const int width = ScorePixelSize(layout, kScorePictureDpi).width();
    if (width <= kMaxPictureWidth && layout.canvasWidth < 1e9f) return {};
    return QStringLiteral("the score is %1 pixels wide, more than the %2 a picture may be; "
                          "write .pdf, which takes any length")
        .arg(width)
        .arg(kMaxPictureWidth);
}

QRectF Canvas(const ScoreLayout& layout) {
    return QRectF(0, 0, layout.canvasWidth, layout.canvasHeight);
}

} // namespace

QString WriteScorePng(const ScoreLayout& layout, const QString& path) {
    if (QString tooWide = TooWide(layout); !tooWide.isEmpty()) return tooWide;
    const QImage image = ScoreImage(layout, kScorePictureDpi);
    if (image.isNull()) return QStringLiteral("not enough memory for the picture");
    if (!image.save(path, "PNG")) return QStringLiteral("cannot write the file");
    return {};
}

QString WriteScoreSvg(const ScoreLayout& layout, const QString& path) {
    if (QString tooWide = TooWide(layout); !tooWide.isEmpty()) return tooWide;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write the file: %1").arg(file.errorString());
    const QSize size = ScorePixelSize(layout, kScorePictureDpi);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
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
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("cannot write the file: %1").arg(file.errorString());
    return {};
}

QString WriteScorePdf(const ScoreLayout& layout, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write the file: %1").arg(file.errorString());
    const double pageWidth = std::min<double>(layout.canvasWidth, kPdfPageWidth);
    QPdfWriter pdf(&file);
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
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("cannot write the file: %1").arg(file.errorString());
    return {};
}

} // namespace kvat
