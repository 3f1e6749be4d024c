#include "app/window/export_files.h"

#include "app/render/score_export.h"
#include "midi/file_writer.h"
#include "piece/piece_files.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"

#include <algorithm>

namespace kvat {
namespace {

const QString kNoMelody = "В стихе нет ни одной гласной: мелодии нет.";

QString Picture(OutputFormat format, const ScoreLayout& layout, const QString& path) {
    QByteArray bytes;
    const QString error = RenderScorePicture(layout, format, bytes);
    if (!error.isEmpty()) return error;
    std::string why;
    return WriteFileAtomically(path.toStdString(),
                               std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size())),
                               why)
               ? QString()
               : QString::fromStdString(why);
}

} // namespace

std::vector<OutputFormat> ExportFormats() {
    std::vector<OutputFormat> formats;
    for (const auto& row : kOutputFormats)
        if (!row.menuItem.empty()) formats.push_back(row.format);
    std::ranges::sort(formats, {}, [](OutputFormat f) { return FormatRow(f).menuPlace; });
    return formats;
}

QString ExportFile(OutputFormat format, const ExportPiece& piece, const QString& path) {
    if (!piece.piece.Sung()) return kNoMelody;
    switch (FormatRow(format).family) {
    case FormatFamily::kSound:
        return ExportWav(piece.piece, path, nullptr);
    case FormatFamily::kPicture:
        return Picture(format, LayoutPiece(piece.piece, piece.scoreWidth), path);
    case FormatFamily::kMidi:
    case FormatFamily::kLayout:
    case FormatFamily::kNotation:
        break;
    }
    return QString::fromStdString(WritePieceFile(piece.piece, format, path.toStdString()));
}

QString ExportWav(const Piece& piece, const QString& path,
                  const std::function<void(double)>& progress) {
    if (!piece.Sung()) return kNoMelody;
    const auto soundFont = FindSoundFont();
    if (!soundFont)
        return "Не найден SoundFont: установите fluid-soundfont-gm или задайте KVAT_SOUNDFONT.";
    std::string error;
    if (RenderMidiToWav(PieceMidi(piece), *soundFont, path.toStdString(), progress, error))
        return {};
    return QString::fromStdString(error);
}

} // namespace kvat
