#include "app/window/export_files.h"

#include "app/render/score_export.h"
#include "app/window/qt_text.h"
#include "midi/arrangement.h"
#include "midi/file_writer.h"
#include "midi/midi_words.h"
#include "score/melody_token.h"
#include "score/musicxml.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"
#include "verse/syllables.h"

#include <algorithm>

namespace kvat {
namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

QString Write(const QString& path, std::span<const std::uint8_t> bytes) {
    std::string error;
    return WriteFileAtomically(path.toStdString(), bytes, error) ? QString()
                                                                 : QString::fromStdString(error);
}

std::string MusicXml(const ExportPiece& piece) {
    const DividedText divided = DivideSyllables(piece.lines);
    std::vector<std::u32string_view> rows;
    for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.push_back(divided.Row(k));
    return MusicXmlScore(piece.tokens, rows, piece.sound, VerseTitle(piece.lines));
}

QString Picture(ExportFormat format, const ScoreLayout& layout, const QString& path) {
    QByteArray bytes;
    const QString error = format == ExportFormat::kPng   ? RenderScorePng(layout, bytes)
                          : format == ExportFormat::kSvg ? RenderScoreSvg(layout, bytes)
                                                         : RenderScorePdf(layout, bytes);
    return error.isEmpty() ? Write(path, Bytes(bytes)) : error;
}

} // namespace

bool HasMelody(const std::vector<std::string>& tokens) {
    return std::ranges::any_of(tokens, [](const std::string& token) {
        const auto note = ReadScoreToken(token);
        return note && note->value != 0;
    });
}

QString ExportFile(ExportFormat format, const ExportPiece& piece, const QString& path) {
    if (!HasMelody(piece.tokens)) return kNoMelody;
    switch (format) {
    case ExportFormat::kMidi:
        return Write(path, ArrangeMelody(piece.tokens, piece.sound,
                                         VerseWords(piece.lines, piece.tokens.size())));
    case ExportFormat::kMusicXml: {
        const std::string text = MusicXml(piece);
        return Write(path,
                     std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }
    case ExportFormat::kPdf:
    case ExportFormat::kSvg:
    case ExportFormat::kPng:
        return Picture(format, piece.layout, path);
    case ExportFormat::kWav:
        return ExportWav(piece, path, nullptr);
    }
    return {};
}

QString ExportWav(const ExportPiece& piece, const QString& path,
                  const std::function<void(double)>& progress) {
    if (!HasMelody(piece.tokens)) return kNoMelody;
    const auto soundFont = FindSoundFont();
    if (!soundFont)
        return "Не найден SoundFont: установите fluid-soundfont-gm или задайте KVAT_SOUNDFONT.";
    std::string error;
    if (RenderMidiToWav(ArrangeMelody(piece.tokens, piece.sound), *soundFont, path.toStdString(),
                        progress, error))
        return {};
    return QString::fromStdString(error);
}

} // namespace kvat
