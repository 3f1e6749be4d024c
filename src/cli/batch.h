#pragma once
// Many poems at once: `kvat midi|score|audio FILE... -d DIR [-f EXT]` runs the subcommand once
// per file, as many at a time as the machine has cores, each in a process of its own.

#include "cli/options.h"

namespace kvat::cli {

// Writes DIR/NAME.EXT for every input (NAME from the file's name). A file that fails is reported
// by its own run and the rest are still written; returns 1 if any failed, 2 for bad usage.
// `args` is the command line after the program's name.
int RunBatch(const Options& options, const std::vector<std::string>& args, const char* self);

} // namespace kvat::cli
