#include "cli/commands.h"
#include "cli/output.h"
#include "cli/verse_context.h"
#include "verse/report.h"

#include <iostream>

namespace kvat::cli {

int RunReport(const Options& options) {
    std::string error;
    const auto context = LoadVerse(options, error);
    if (!context) {
        PrintError(error);
        return 2;
    }
    // The report reads the colours the editor shows: the chosen metre's, or the painted ones.
    const std::string pattern = ReadManualIctuses(context->lines, context->paint);
    std::cout << LfText(VerseReport(pattern, VerseRhymes(*context))) << '\n';
    return 0;
}

} // namespace kvat::cli
