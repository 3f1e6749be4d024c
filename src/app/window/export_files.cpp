#include "app/window/export_files.h"

#include "app/render/score_export.h"
#include "app/window/file_errors.h"
#include "app/window/qt_text.h"
#include "midi/arrangement.h"
#include "midi/file_writer.h"
#include "midi/midi_timing.h"
#include "midi/midi_words.h"
#include "score/musicxml.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"
#include "verse/lyrics.h"
#include "verse/syllables.h"

#include <algorithm>

namespace kvat {
namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

QString Write(const QString& path, std::span<const std::uint8_t> bytes) {
    return WriteWholeFile(path, bytes);
}

// FluidSynth's own rate, which the renderer keeps.
constexpr int kSynthRate = 44100;

QString HoursAndMinutes(std::int64_t seconds) {
    return QString("%1 ч %2 мин").arg(seconds / 3600).arg(seconds / 60 % 60);
}

std::string MusicXml(const ExportPiece& piece) {
    const DividedText divided = DivideSyllables(piece.lines);
    std::vector<std::u32string_view> rows;
    for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.push_back(divided.Row(k));
    return MusicXmlScore(piece.tokens, rows, piece.sound, VerseTitle(piece.lines));
}

QString Picture(ExportFormat format, const ExportPiece& piece, const QString& path) {
    const ScoreLayout& layout = piece.layout;
    if (const auto width = PictureTooWide(layout); width && format != ExportFormat::kPdf)
        return QString("Партитура шириной %1 точек не помещается в картинку: картинка может быть "
                       "не шире %2 точек. Экспортируйте её в PDF, он вмещает партитуру любой "
                       "длины.")
            .arg(*width)
            .arg(kMaxPictureWidth);
    QByteArray bytes;
    const QString error = format == ExportFormat::kPng ? RenderScorePng(layout, bytes)
                          : format == ExportFormat::kSvg
                              ? RenderScoreSvg(layout, bytes)
                              : RenderScorePdf(layout, Q(VerseTitle(piece.lines)), bytes);
    // The other failures are the memory's and the encoder's, which say nothing more useful.
    return error.isEmpty() ? Write(path, Bytes(bytes)) : "Не удалось построить картинку партитуры.";
}

} // namespace

QString ExportFile(ExportFormat format, const ExportPiece& piece, const QString& path) {
    if (piece.tokens.empty()) return "В стихе нет ни одной гласной: мелодии нет.";
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
        return Picture(format, piece, path);
    case ExportFormat::kWav:
        return ExportWav(piece, path, nullptr);
    }
    return {};
}

QString ExportWav(const ExportPiece& piece, const QString& path,
                  const std::function<void(double)>& progress) {
    if (piece.tokens.empty()) return "В стихе нет ни одной гласной: мелодии нет.";
    const auto soundFont = FindSoundFont();
    if (!soundFont)
        return "Не найден SoundFont: установите fluid-soundfont-gm или задайте KVAT_SOUNDFONT.";
    const TrackBytes midi = ArrangeMelody(piece.tokens, piece.sound);
    const auto timing = ReadMidiTiming(midi);
    const std::int64_t seconds = timing ? LengthMs(*timing) / 1000 : 0;
    if (seconds > LongestWavSeconds(kSynthRate))
        return QString("Мелодия звучит %1, а файл WAV вмещает не больше %2.")
            .arg(HoursAndMinutes(seconds), HoursAndMinutes(LongestWavSeconds(kSynthRate)));
    std::string error;
    if (RenderMidiToWav(midi, *soundFont, path.toStdString(), progress, error)) return {};
    return "Синтезатор FluidSynth не смог записать звук с SoundFont «" +
           QString::fromStdString(soundFont->filename().string()) + "».";
}

} // namespace kvat
