#pragma once
// Many poems at once: `kvat midi|score|audio FILE... -d DIR [-f EXT]` runs the subcommand for
// every file in this one process, a worker on every core.

#include "cli/commands.h"

namespace kvat::cli {

// Writes DIR/NAME.EXT for every input (NAME from the file's name). A poem that fails is reported
// and the rest are still written; what each poem has to say comes out whole and in the inputs'
// order. Returns 1 if any failed, 2 for bad usage.
int RunBatch(const Run& run);

} // namespace kvat::cli
