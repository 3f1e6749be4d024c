// kvat melody: the melody's tokens, one per line; with --ticks each note's start and length
// in ticks beside it, tab-separated.

#include "cli/commands.h"
#include "cli/piece_options.h"

namespace kvat::cli {

int RunMelody(const Run& run) {
    int status = 0;
    const auto piece = LoadPiece(run, false, status);
    if (!piece) return status;
    std::string out;
    for (std::size_t k = 0; k < piece->tokens.size(); ++k) {
        out += piece->tokens[k];
        if (run.options.ticks && k < piece->notes.size())
            out += '\t' + std::to_string(piece->notes[k].start) + '\t' +
                   std::to_string(piece->notes[k].sound.ticks);
        out += '\n';
    }
    run.out << out;
    return 0;
}

} // namespace kvat::cli
