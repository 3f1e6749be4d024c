#pragma once
// The score as a file's bytes: PNG and SVG as one picture of the whole canvas, PDF as pages of
// ten inches each, so a score of any length fits. The caller writes the bytes, whole or not at
// all.

#include "score/score_layout.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kvat {

// Screen resolution for the pictures: the PNG matches the window pixel for pixel.
inline constexpr double kScorePictureDpi = 96;
// Wider pictures than this are refused: common image viewers and browsers stop at it, and an
// SVG is held in memory until it is complete.
inline constexpr int kMaxPictureWidth = 32767;
// One PDF page holds this much of the canvas, in twips.
inline constexpr double kPdfPageWidth = 14400;

// The picture's width in pixels when it would be wider than kMaxPictureWidth; none when it fits.
std::optional<int> PictureTooWide(const ScoreLayout& layout);

// Each fills `bytes` and returns an empty string on success, else one line saying what went
// wrong.
QString RenderScorePng(const ScoreLayout& layout, QByteArray& bytes);
QString RenderScoreSvg(const ScoreLayout& layout, QByteArray& bytes);
QString RenderScorePdf(const ScoreLayout& layout, QByteArray& bytes);

} // namespace kvat
