// kvat score: the one-line score of the verse as PNG, SVG, PDF or the layout's JSON, or the
// arrangement as MusicXML for notation programs. Only the pictures need Qt, and they get it
// without a display.

#include "app/render/score_export.h"
#include "app/render/symbol_font.h"
#include "cli/commands.h"
#include "cli/file_output.h"
#include "cli/melody_options.h"
#include "cli/output.h"
#include "cli/score_json.h"
#include "cli/sound_options.h"
#include "cli/verse_context.h"
#include "melody/melody.h"
#include "midi/sound_tables.h"
#include "score/musicxml.h"
#include "score/score_layout.h"
#include "verse/lyrics.h"
#include "verse/syllables.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <iostream>

namespace kvat::cli {
namespace {

enum class ScoreFormat { kPng, kSvg, kPdf, kJson, kMusicXml };

std::optional<ScoreFormat> FormatOf(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "png") return ScoreFormat::kPng;
    if (extension == "svg") return ScoreFormat::kSvg;
    if (extension == "pdf") return ScoreFormat::kPdf;
    if (extension == "json") return ScoreFormat::kJson;
    if (extension == "musicxml") return ScoreFormat::kMusicXml;
    return std::nullopt;
}

// The header as the sound settings leave it: the tempo's term and number, the dynamics mark
// and the time signature; the accents show while the stress boost is above 0.
std::pair<ScoreHeader, ScoreOptions> ScoreSettings(const Options& options) {
    const SoundSettings sound = SoundSettingsFromOptions(options);
    ScoreHeader header;
    if (const auto tempo = TempoValue(sound.tempo)) {
        header.tempoTerm = std::u32string(tempo->term);
        header.beatsPerMinute = tempo->bpm;
    }
    if (const auto dynamics = DynamicsValue(sound.dynamics))
        header.dynamicsGlyph = static_cast<char32_t>(dynamics->glyph);
    header.numerator = sound.numerator;
    header.denominator = sound.denominator;
    ScoreOptions score;
    score.accents = sound.boost > 0;
    score.colour = options.colour;
    return {header, score};
}

std::vector<std::u32string_view> Rows(const DividedText& divided) {
    std::vector<std::u32string_view> rows;
    rows.reserve(divided.RowCount());
    for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.push_back(divided.Row(k));
    return rows;
}

int WriteJson(const ScoreLayout& layout, const std::string& path) {
    return WriteOutput(path, [&](std::ostream& out) { WriteScoreJson(out, layout); });
}

int WriteMusicXml(const VerseMelody& melody, std::span<const std::u32string_view> rows,
                  const Options& options) {
    return WriteOutput(options.output,
                       MusicXmlScore(melody.tokens, rows, SoundSettingsFromOptions(options),
                                     VerseTitle(melody.verse.lines)));
}

// Qt's chatter (a missing runtime folder and the like) is not the user's business here.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "kvat: " << message.toStdString() << '\n';
}

int WritePicture(const ScoreLayout& layout, ScoreFormat format, const std::string& path,
                 const std::u32string& title) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    int argc = 1;
    char name[] = "kvat";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    InstallSymbolFont();
    QByteArray bytes;
    const QString error = format == ScoreFormat::kPng ? RenderScorePng(layout, bytes)
                          : format == ScoreFormat::kSvg
                              ? RenderScoreSvg(layout, bytes)
                              : RenderScorePdf(layout, QString::fromStdU32String(title), bytes);
    if (!error.isEmpty()) {
        PrintError(path + ": " + error.toStdString());
        return 1;
    }
    return WriteOutput(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size())));
}

} // namespace

int RunScore(const Options& options) {
    const auto format = FormatOf(options.output);
    if (!format) {
        PrintError(options.output.empty()
                       ? "score: -o OUT is required, ending in .png, .svg, .pdf, .json or .musicxml"
                       : "score: '" + options.output +
                             "': write .png, .svg, .pdf, .json or .musicxml");
        return 2;
    }
    int status = 0;
    const auto melody = LoadSungMelody(options, status);
    if (!melody) return status;
    const DividedText divided = DivideSyllables(melody->verse.lines);
    for (const auto& message : divided.Messages()) std::cerr << EncodeUtf8(message.text) << '\n';
    const std::vector<std::u32string_view> rows = Rows(divided);
    if (*format == ScoreFormat::kMusicXml) return WriteMusicXml(*melody, rows, options);

    const std::vector<std::string_view> tokens(melody->tokens.begin(), melody->tokens.end());
    const auto [header, scoreOptions] = ScoreSettings(options);
    const ScoreLayout layout = LayoutScore(rows, tokens, header, scoreOptions);
    return *format == ScoreFormat::kJson
               ? WriteJson(layout, options.output)
               : WritePicture(layout, *format, options.output, VerseTitle(melody->verse.lines));
}

} // namespace kvat::cli
