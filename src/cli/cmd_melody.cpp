// kvat melody: the melody's tokens, one per line.

#include "cli/commands.h"
#include "cli/piece_options.h"

namespace kvat::cli {

int RunMelody(const Run& run) {
    int status = 0;
    const auto piece = LoadPiece(run, false, status);
    if (!piece) return status;
    std::string out;
    for (const std::string& token : piece->tokens) (out += token) += '\n';
    run.out << out;
    return 0;
}

} // namespace kvat::cli
