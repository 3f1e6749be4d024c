#pragma once
// The score as a file's bytes: PNG and SVG as one picture of the whole canvas, PDF as printed
// music is, systems stacked on the pages of the user's paper. The caller writes the bytes, whole
// or not at all.

#include "piece/output_formats.h"
#include "score/score_layout.h"

#include <QByteArray>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <optional>
#include <utility>

class QPainter;

namespace kvat {

// Screen resolution for the pictures: the PNG matches the window pixel for pixel.
inline constexpr double kScorePictureDpi = 96;
// Wider pictures than this are refused: common image viewers and browsers stop at it, and an
// SVG is held in memory until it is complete.
inline constexpr int kMaxPictureWidth = 32767;
// A4, or US Letter where the locale's territory prints on it (LC_ALL, LC_PAPER, LANG).
QPageSize LocalePaper();

// Where the PDF's systems fall: every system holds the same number of columns and begins with
// its clef and time signature; the first page has the title over its systems, every page its
// number under them. Sizes are twips.
struct ScorePages {
    QSizeF page;
    double margin = 850; // 15 mm
    double systemHeight = 0, systemGap = 240, titleHeight = 900, footerHeight = 500;
    std::size_t columns = 0;          // in the whole score
    std::size_t columnsPerSystem = 1; // the last system may hold fewer
    int systemsPerPage = 1, systemsOnFirstPage = 1;
    int pages = 1;

    // The systems [first, last) on `page` (0-based).
    std::pair<std::size_t, std::size_t> Systems(int page) const;
};
ScorePages PlanScorePages(const ScoreLayout& layout, const QPageSize& paper);

// Page `page` (0-based) of the plan on any paint device, in twips at the device's resolution.
void PaintScorePage(QPainter& painter, const ScoreLayout& layout, const ScorePages& pages,
                    const QString& title, int page);

// The picture's width in pixels when it would be wider than kMaxPictureWidth; none when it fits.
std::optional<int> PictureTooWide(const ScoreLayout& layout);

// Each fills `bytes` and returns an empty string on success, else one line saying what went
// wrong.
QString RenderScorePng(const ScoreLayout& layout, QByteArray& bytes);
QString RenderScoreSvg(const ScoreLayout& layout, QByteArray& bytes);
// The PDF on `paper`, `title` over its first page: the poem's name.
QString RenderScorePdf(const ScoreLayout& layout, const QString& title, QByteArray& bytes,
                       const QPageSize& paper = LocalePaper());

// The picture of a picture format of the format table (PNG, SVG, PDF, the PDF titled `title`);
// any other is refused.
QString RenderScorePicture(const ScoreLayout& layout, OutputFormat format, const QString& title,
                           QByteArray& bytes);

} // namespace kvat
