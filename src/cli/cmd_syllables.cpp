#include "cli/commands.h"
#include "cli/input.h"
#include "cli/output.h"
#include "verse/syllables.h"

#include <iostream>

namespace kvat::cli {

int RunSyllables(const Options& options) {
    std::string error;
    const auto lines = ReadTextLines(options.file, error);
    if (!lines) {
        PrintError(error);
        return 2;
    }
    const DividedText divided = DivideSyllables(*lines);
    std::cout << LfText(divided.Text());
    for (const auto& message : divided.Messages()) std::cerr << EncodeUtf8(message.text) << '\n';
    return 0;
}

} // namespace kvat::cli
