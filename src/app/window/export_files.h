#pragma once
// What «Файл → Экспорт» writes: the piece's MIDI file, MusicXML score, score pictures as PDF,
// SVG or PNG, and sound as WAV, through the same writers and the same whole-or-nothing writing
// as the command line.

#include "piece/output_formats.h"
#include "piece/piece.h"
#include "score/twips.h"

#include <QString>
#include <functional>
#include <vector>

namespace kvat {

// What the window says when asked to play or export a verse that has no melody.
inline constexpr const char* kNoMelody = "В стихе нет ни одной гласной: мелодии нет.";

// The piece as the window shows it at the moment of export.
struct ExportPiece {
    Piece piece;
    float scoreWidth = kViewportTwips; // the pictures' viewport: as wide as the window shows it
};

// The formats the «Экспорт» submenu offers, in its order.
std::vector<OutputFormat> ExportFormats();

// Writes the piece as `path` in any format but WAV; an empty string on success, else one line.
QString ExportFile(OutputFormat format, const ExportPiece& piece, const QString& path);

// The WAV, rendered with the SoundFont found as the command line finds it. `progress` gets the
// part done, 0 to 1, from the thread that renders.
QString ExportWav(const Piece& piece, const QString& path,
                  const std::function<void(double)>& progress);

} // namespace kvat
