#pragma once

namespace kvat {

// Opens the window and runs until it closes; returns the process's exit status.
int RunWindow(int argc, char** argv);

} // namespace kvat
