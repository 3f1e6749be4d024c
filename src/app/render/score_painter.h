#pragma once
// Paints a score layout with QPainter on any paint device: the window's canvas, an image, an
// SVG or PDF writer. Positions are twips, turned into device pixels at the device's logical
// resolution (1440 twips to the inch).

#include "score/score_layout.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace kvat {

enum class ScoreText {
    kGlyphs,   // text drawn as text: crisp on screen, selectable in a PDF
    kOutlines, // text drawn as filled glyph outlines: shows right without the fonts installed
};

struct ScorePaintOptions {
    ScoreText text = ScoreText::kGlyphs;
    bool background = true; // fill the area white first, as the canvas is
    // The canvas point, in twips, that the painter's origin stands for. Scroll by moving it
    // rather than by translating the painter: Qt places text in fixed point, which overflows
    // far along a long score at a printer's resolution.
    QPointF origin;
    bool header = true; // the tempo, dynamics, clef and time signature at the start
};

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;

constexpr double TwipsToPixels(double twips, double dpi) {
    return twips * dpi / kTwipsPerInch;
}

// Paints the items of `layout` that meet `area` (twips, in canvas coordinates).
void PaintScore(QPainter& painter, const ScoreLayout& layout, const QRectF& area,
                const ScorePaintOptions& options = {});

// Columns [first, last) of `layout` as one system of a page, its top left corner at `at` (twips
// on the device): the staff `width` twips long, the clef and time signature at its start (the
// tempo and dynamics too on the `opening` system), then the columns, moved left to follow them.
void PaintSystem(QPainter& painter, const ScoreLayout& layout, std::size_t first, std::size_t last,
                 double width, bool opening, QPointF at);

// The canvas's size in device pixels at `dpi`, rounded up.
QSize ScorePixelSize(const ScoreLayout& layout, double dpi);

// The whole canvas as an image at `dpi`; a null image when it cannot be allocated.
QImage ScoreImage(const ScoreLayout& layout, double dpi);

} // namespace kvat
