#pragma once

namespace kvat {

// Opens the window and runs until it closes; returns the process's exit status. With
// `resetSettings` every remembered choice is forgotten first.
int RunWindow(int argc, char** argv, bool resetSettings = false);

} // namespace kvat
