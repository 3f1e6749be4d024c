#include "app/window/export_files.h"

#include "app/render/score_export.h"
#include "app/window/file_errors.h"
#include "app/window/qt_text.h"
#include "midi/file_writer.h"
#include "midi/midi_timing.h"
#include "piece/piece_files.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"
#include "voice/singer.h"

#include <algorithm>

namespace kvat {
namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// FluidSynth's own rate, which the renderer keeps.
constexpr int kSynthRate = 44100;

QString HoursAndMinutes(std::int64_t seconds) {
    return QString("%1 ч %2 мин").arg(seconds / 3600).arg(seconds / 60 % 60);
}

QString Picture(OutputFormat format, const ExportPiece& export_, const QString& path) {
    const ScoreLayout layout = LayoutPiece(export_.piece, export_.scoreWidth);
    if (const auto width = PictureTooWide(layout); width && format != OutputFormat::kPdf)
        return QString("Партитура шириной %1 точек не помещается в картинку: картинка может быть "
                       "не шире %2 точек. Экспортируйте её в PDF, он вмещает партитуру любой "
                       "длины.")
            .arg(*width)
            .arg(kMaxPictureWidth);
    QByteArray bytes;
    const QString error = RenderScorePicture(layout, format, Q(export_.piece.title), bytes);
    // The other failures are the memory's and the encoder's, which say nothing more useful.
    return error.isEmpty() ? WriteWholeFile(path, Bytes(bytes))
                           : "Не удалось построить картинку партитуры.";
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
        return ExportWav(piece.piece, path, SingingOf(piece.piece), nullptr);
    case FormatFamily::kPicture:
        return Picture(format, piece, path);
    case FormatFamily::kMidi:
        return WriteWholeFile(path, PieceMidi(piece.piece));
    case FormatFamily::kNotation:
        return WriteWholeFile(path, Bytes(PieceMusicXml(piece.piece)));
    case FormatFamily::kLayout:
        break;
    }
    return QString::fromStdString(WritePieceFile(piece.piece, format, path.toStdString()));
}

WavSinging SingingOf(const Piece& piece) {
    return piece.settings.sound.singing ? WavSinging::kWithVoice : WavSinging::kNone;
}

QString ExportWav(Piece piece, const QString& path, WavSinging singing,
                  const std::function<void(double)>& progress) {
    if (!piece.Sung()) return kNoMelody;
    const auto soundFont = FindSoundFont();
    if (!soundFont)
        return "Не найден SoundFont: установите fluid-soundfont-gm или задайте KVAT_SOUNDFONT.";
    const TrackBytes midi = PieceMidi(piece);
    const auto timing = ReadMidiTiming(midi);
    const std::int64_t seconds = timing ? LengthMs(*timing) / 1000 : 0;
    if (seconds > LongestWavSeconds(kSynthRate))
        return QString("Мелодия звучит %1, а файл WAV вмещает не больше %2.")
            .arg(HoursAndMinutes(seconds), HoursAndMinutes(LongestWavSeconds(kSynthRate)));
    // Sung first, so that a voice that cannot sing is told apart from the synthesizer's failures.
    piece.settings.sound.singing = singing != WavSinging::kNone;
    std::optional<std::vector<float>> sung;
    if (piece.settings.sound.singing && !(sung = SingPiece(piece, kSynthRate)))
        return "Голос не может петь: установите espeak-ng-data с русским голосом.";
    const WavVoice voice{
        [&](int rate) { return rate == kSynthRate ? sung : SingPiece(piece, rate); },
        singing == WavSinging::kVoiceOnly};
    std::string error;
    if (RenderMidiToWav(midi, *soundFont, path.toStdString(), progress, error,
                        sung ? &voice : nullptr))
        return {};
    return "Синтезатор FluidSynth не смог записать звук с SoundFont «" +
           QString::fromStdString(soundFont->filename().string()) + "».";
}

} // namespace kvat
