#pragma once
// One function per subcommand. Each returns the process's exit status: 0 success, 1 a runtime
// failure, 2 bad usage or bad input; errors go to `err` as one line each.

#include "cli/desktop.h"
#include "cli/options.h"
#include "midi/file_writer.h"

#include <ostream>
#include <string>

namespace kvat::cli {

// What a subcommand runs with. A batch gives each poem its own options and its own `err`.
struct Run {
    const Options& options;
    std::ostream& out;           // standard output
    std::ostream& err;           // standard error, or what the batch shows of this poem
    const DesktopParts* desktop; // null in the kvat command itself
    // One of a batch's poems: no progress of its own, the batch shows its own, and the files
    // put in place together.
    FileBatch* batch = nullptr;

    void Error(const std::string& message) const { err << "kvat: " << message << '\n'; }
    // The verse's name in messages.
    std::string InputName() const {
        return options.file.empty() || options.file == "-" ? "standard input" : options.file;
    }
};

int RunAnalyse(const Run& run);
int RunSyllables(const Run& run);
int RunReport(const Run& run);
int RunMelody(const Run& run);
int RunMidi(const Run& run);
int RunAudio(const Run& run);
int RunScore(const Run& run);

// The score's formats as --help names them.
std::string ScoreFormatsText();

} // namespace kvat::cli
