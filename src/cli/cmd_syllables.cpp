// kvat syllables: the divided text, and the orthography check's messages on standard error.

#include "cli/commands.h"
#include "cli/input.h"
#include "cli/output.h"
#include "verse/syllables.h"

namespace kvat::cli {

int RunSyllables(const Run& run) {
    std::string error;
    const auto lines = ReadTextLines(run.options.file, error);
    if (!lines) {
        run.Error(error);
        return 2;
    }
    const DividedText divided = DivideSyllables(*lines);
    run.out << LfText(divided.Text());
    PrintMessages(run.err, divided);
    return 0;
}

} // namespace kvat::cli
