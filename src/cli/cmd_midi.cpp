// kvat midi: the verse's melody arranged with the sound options and written as a Standard MIDI
// File, whole or not at all; "-o -" sends the bytes to standard output.

#include "cli/commands.h"
#include "cli/piece_options.h"
#include "piece/piece_files.h"

namespace kvat::cli {

int RunMidi(const Run& run) {
    const std::string& output = run.options.output;
    if (output.empty()) {
        run.Error("midi: no output file: give -o OUT.mid, or -o - for standard output");
        return 2;
    }
    int status = 0;
    const auto piece = LoadPiece(run, true, status);
    if (!piece) return status;
    if (output == "-") {
        const TrackBytes file = PieceMidi(*piece);
        run.out.write(reinterpret_cast<const char*>(file.data()),
                      static_cast<std::streamsize>(file.size()));
        if (run.out.flush()) return 0;
        run.Error("standard output: cannot write the MIDI file");
        return 1;
    }
    const std::string error = WritePieceFile(*piece, OutputFormat::kMidi, output, run.batch);
    if (error.empty()) return 0;
    run.Error(error);
    return 1;
}

} // namespace kvat::cli
