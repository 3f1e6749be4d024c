// kvat report: the verse report, read from the colours the editor shows: the chosen metre's, or
// the painted ones.

#include "cli/commands.h"
#include "cli/output.h"
#include "cli/verse_context.h"
#include "verse/report.h"

namespace kvat::cli {

int RunReport(const Run& run) {
    std::string error;
    const auto verse = LoadVerse(run.options, U'.', error);
    if (!verse) {
        run.Error(error);
        return 2;
    }
    // The report reads the colours the editor shows: the chosen metre's, or the painted ones.
    const std::string pattern = ReadManualIctuses(verse->lines, verse->paint);
    run.out << LfText(VerseReport(pattern, VerseRhymes(*verse))) << '\n';
    return 0;
}

} // namespace kvat::cli
