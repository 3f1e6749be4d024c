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

// What a WAV holds of the singing voice.
enum class WavSinging { kNone, kWithVoice, kVoiceOnly };
// As the piece's settings have it: the voice with the instruments when it sings.
WavSinging SingingOf(const Piece& piece);

// The WAV, rendered with the SoundFont found as the command line finds it, the voice in the
// singer the piece's settings choose. `progress` gets the part done, 0 to 1, from the thread that
// renders.
QString ExportWav(Piece piece, const QString& path, WavSinging singing,
                  const std::function<void(double)>& progress);

} // namespace kvat
