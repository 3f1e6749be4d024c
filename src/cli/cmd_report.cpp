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
    run.out << LfText(VerseReport(ReadManualIctuses(verse->lines, verse->paint))) << '\n';
    return 0;
}

} // namespace kvat::cli
