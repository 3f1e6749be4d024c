#pragma once
// What «Файл → Экспорт» writes: the arranged melody as MIDI, the arrangement as MusicXML, the
// drawn score as PDF, SVG or PNG, and the sound as WAV, through the same writers and the same
// whole-or-nothing writing as the command line.

#include "midi/sound_settings.h"
#include "score/score_layout.h"
#include "text/strings.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace kvat {

enum class ExportFormat { kMidi, kMusicXml, kPdf, kSvg, kPng, kWav };

struct ExportFormatInfo {
    ExportFormat format;
    const char* item;      // the menu item
    const char* extension; // without the dot
    const char* filter;    // the file dialog's filter
};

inline constexpr ExportFormatInfo kExportFormats[] = {
    {ExportFormat::kMidi, "MIDI…", "mid", "MIDI (*.mid)"},
    {ExportFormat::kMusicXml, "MusicXML…", "musicxml", "MusicXML (*.musicxml)"},
    {ExportFormat::kPdf, "PDF…", "pdf", "PDF (*.pdf)"},
    {ExportFormat::kSvg, "SVG…", "svg", "SVG (*.svg)"},
    {ExportFormat::kPng, "PNG…", "png", "PNG (*.png)"},
    {ExportFormat::kWav, "WAV…", "wav", "WAV (*.wav)"},
};

// What the window says when asked to play or export a verse that has no melody.
inline constexpr const char* kNoMelody = "В стихе нет ни одной гласной: мелодии нет.";
// Whether a note of the melody sounds: a text without a vowel gives none, or only rests.
bool HasMelody(const std::vector<std::string>& tokens);

// The piece as the window shows it at the moment of export.
struct ExportPiece {
    std::vector<std::string> tokens;
    Lines lines;
    ScoreLayout layout; // the drawn score
    SoundSettings sound;
};

// Writes `piece` as `path` in any format but WAV; an empty string on success, else one line.
QString ExportFile(ExportFormat format, const ExportPiece& piece, const QString& path);

// The WAV, rendered with the SoundFont found as the command line finds it. `progress` gets the
// part done, 0 to 1, from the thread that renders.
QString ExportWav(const ExportPiece& piece, const QString& path,
                  const std::function<void(double)>& progress);

} // namespace kvat
