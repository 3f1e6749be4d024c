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

QPageSize LocalePaper() {
    // The territories whose printers take US Letter, as their locales' LC_PAPER says.
    static const QStringList kLetter = {"US", "CA", "MX", "CL", "CO", "VE", "PH",
                                        "PR", "CR", "GT", "PA", "SV", "NI", "DO"};
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString locale = qEnvironmentVariable(variable);
        if (locale.isEmpty()) continue;
        const QString territory = locale.section('_', 1).section('.', 0, 0).section('@', 0, 0);
        return QPageSize(kLetter.contains(territory) ? QPageSize::Letter : QPageSize::A4);
    }
    return QPageSize(QPageSize::A4);
}

std::pair<std::size_t, std::size_t> ScorePages::Systems(int page) const {
    const std::size_t systems =
        std::max<std::size_t>(1, (columns + columnsPerSystem - 1) / columnsPerSystem);
    const auto start = [&](int p) {
        return p == 0 ? 0
                      : std::min(systems, static_cast<std::size_t>(systemsOnFirstPage) +
                                              static_cast<std::size_t>(p - 1) *
                                                  static_cast<std::size_t>(systemsPerPage));
    };
    return {start(page), start(page + 1)};
}

ScorePages PlanScorePages(const ScoreLayout& layout, const QPageSize& paper) {
    ScorePages plan;
    plan.page = paper.size(QPageSize::Point) * kTwipsPerPoint;
    plan.systemHeight = layout.canvasHeight;
    plan.columns = layout.ColumnCount();
    // The clef and time signature take the room the first note stands after.
    const double width = plan.page.width() - 2 * plan.margin;
    constexpr double kOpening = 1000;
    plan.columnsPerSystem = static_cast<std::size_t>(
        std::max(1.0, std::floor((width - kOpening) / static_cast<double>(kColumnWidth))));
    const double height = plan.page.height() - 2 * plan.margin - plan.footerHeight;
    const auto fit = [&](double room) {
        return std::max(
            1, static_cast<int>((room + plan.systemGap) / (plan.systemHeight + plan.systemGap)));
    };
    plan.systemsPerPage = fit(height);
    plan.systemsOnFirstPage = fit(height - plan.titleHeight);
    const auto systems = static_cast<int>(std::max<std::size_t>(
        1, (plan.columns + plan.columnsPerSystem - 1) / plan.columnsPerSystem));
    plan.pages = 1 + std::max(0, (systems - plan.systemsOnFirstPage + plan.systemsPerPage - 1) /
                                     plan.systemsPerPage);
    return plan;
}

void PaintScorePage(QPainter& painter, const ScoreLayout& layout, const ScorePages& pages,
                    const QString& title, int page) {
    const QPaintDevice* device = painter.device();
    const double dpi = device ? device->logicalDpiY() : 96;
    const auto px = [dpi](double twips) { return TwipsToPixels(twips, dpi); };
    const double width = pages.page.width() - 2 * pages.margin;
    double top = pages.margin;
    painter.save();
    painter.setPen(Qt::black);
    if (page == 0) {
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSizeF(16);
        painter.setFont(font);
        painter.drawText(QRectF(px(pages.margin), px(top), px(width), px(pages.titleHeight)),
                         Qt::AlignHCenter | Qt::AlignTop, title);
        top += pages.titleHeight;
    }
    const auto [first, last] = pages.Systems(page);
    for (std::size_t system = first; system < last; ++system) {
        const std::size_t column = system * pages.columnsPerSystem;
        PaintSystem(painter, layout, column, column + pages.columnsPerSystem, width, system == 0,
                    QPointF(pages.margin, top));
        top += pages.systemHeight + pages.systemGap;
    }
    QFont number(QStringLiteral("Liberation Serif"));
    number.setPointSizeF(10);
    painter.setFont(number);
    painter.setPen(Qt::black);
    const double footer = pages.page.height() - pages.margin - pages.footerHeight;
    painter.drawText(QRectF(px(pages.margin), px(footer), px(width), px(pages.footerHeight)),
                     Qt::AlignHCenter | Qt::AlignBottom, QString::number(page + 1));
    painter.restore();
}

QString RenderScorePdf(const ScoreLayout& layout, const QString& title, QByteArray& bytes,
                       const QPageSize& paper) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Kvat"));
    pdf.setTitle(title);
    // One device unit per twip.
    pdf.setResolution(int(kTwipsPerInch));
    pdf.setPageSize(paper);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    const ScorePages pages = PlanScorePages(layout, paper);
    QPainter painter;
    if (!painter.begin(&pdf)) return QStringLiteral("cannot start the PDF");
    for (int page = 0; page < pages.pages; ++page) {
        if (page > 0) pdf.newPage();
        PaintScorePage(painter, layout, pages, title, page);
    }
    painter.end();
    return {};
}

QString RenderScorePicture(const ScoreLayout& layout, OutputFormat format, const QString& title,
                           QByteArray& bytes) {
    switch (format) {
    case OutputFormat::kPng:
        return RenderScorePng(layout, bytes);
    case OutputFormat::kSvg:
        return RenderScoreSvg(layout, bytes);
    case OutputFormat::kPdf:
        return RenderScorePdf(layout, title, bytes);
    case OutputFormat::kMidi:
    case OutputFormat::kWav:
    case OutputFormat::kJson:
    case OutputFormat::kMusicXml:
    case OutputFormat::kCount:
        break;
    }
    return "not a picture";
}

} // namespace kvat
