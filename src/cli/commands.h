#pragma once
// One function per subcommand. Each returns the process's exit status: 0 success, 1 a runtime
// failure, 2 bad usage or bad input; errors go to standard error as one line.

#include "cli/options.h"

namespace kvat::cli {

int RunAnalyse(const Options& options);
int RunSyllables(const Options& options);
int RunReport(const Options& options);
int RunMelody(const Options& options);
int RunMidi(const Options& options);
int RunAudio(const Options& options);
int RunScore(const Options& options);

} // namespace kvat::cli
