// kvat score: the one-line score of the verse as PNG, SVG or PDF, or the layout's JSON, or the
// arrangement as MusicXML for notation programs. Only the pictures need the desktop program's
// painter, and they get it without a display.

#include "cli/commands.h"
#include "cli/output.h"
#include "cli/piece_options.h"
#include "midi/file_writer.h"
#include "piece/piece_files.h"

namespace kvat::cli {
namespace {

// ".png, .svg, .pdf, the layout's .json or .musicxml", as --help and the errors name them.
std::string ScoreExtensions(bool described) {
    std::vector<std::string> names;
    for (const OutputFormat format : FormatsOf("score")) {
        const auto& row = FormatRow(format);
        const bool layout = described && row.family == FormatFamily::kLayout;
        names.push_back((layout ? "the layout's ." : ".") + std::string(row.extension));
    }
    return Listed(names);
}

int WritePicture(const Run& run, const Piece& piece, OutputFormat format) {
    const std::string& path = run.options.output;
    std::vector<std::uint8_t> bytes;
    if (!run.desktop || !run.desktop->drawPicture) {
        run.Error(path + ": pictures are drawn by the desktop program");
        return 1;
    }
    if (const std::string error =
            run.desktop->drawPicture(LayoutPiece(piece), format, piece.title, bytes);
        !error.empty()) {
        run.Error(path + ": " + error);
        return 1;
    }
    std::string error;
    if (WriteFileAtomically(path, bytes, error, run.batch)) return 0;
    run.Error(error.empty() ? path + ": cannot write the file" : error);
    return 1;
}

} // namespace

std::string ScoreFormatsText() {
    return ScoreExtensions(true);
}

int RunScore(const Run& run) {
    const std::string& output = run.options.output;
    const auto format = FormatOfPath(output, "score");
    if (!format) {
        run.Error(output.empty() ? "score: -o OUT is required, ending in " + ScoreExtensions(false)
                                 : "score: '" + output + "': write " + ScoreExtensions(false));
        return 2;
    }
    int status = 0;
    const auto piece = LoadPiece(run, true, status);
    if (!piece) return status;
    PrintMessages(run.err, piece->syllables);
    if (NeedsDesktop(*format)) return WritePicture(run, *piece, *format);
    const std::string error = WritePieceFile(*piece, *format, output, run.batch);
    if (error.empty()) return 0;
    run.Error(error);
    return 1;
}

} // namespace kvat::cli
