#pragma once
// The kvat command line, whichever program runs it: the options parsed, --help and --version,
// then the subcommand, a batch of them, or the window.

#include "cli/desktop.h"

namespace kvat::cli {

// What RunCommandLine returns to the kvat command for options that only the desktop program
// can carry out.
inline constexpr int kDesktopNeeded = -1;

// Runs the command line `argv` and returns the exit status. Without `desktop` (the kvat command
// itself) the window, pictures and sound are not run but answered with kDesktopNeeded, before
// anything is read.
int RunCommandLine(int argc, char** argv, const DesktopParts* desktop);

} // namespace kvat::cli
