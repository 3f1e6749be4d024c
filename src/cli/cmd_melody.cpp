// kvat melody: the melody's tokens, one per line.

#include "cli/commands.h"
#include "cli/melody_options.h"
#include "cli/output.h"
#include "cli/verse_context.h"
#include "melody/melody.h"

#include <iostream>

namespace kvat::cli {

int RunMelody(const Options& options) {
    int status = 0;
    const auto melody = LoadMelody(options, status);
    if (!melody) return status;
    std::string out;

    for (const std::string& token : melody->tokens) (out += token) += '\n';
    std::cout << out;
    return 0;
}

} // namespace kvat::cli
