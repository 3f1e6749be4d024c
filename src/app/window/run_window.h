#pragma once

#include <string>

namespace kvat {

// Opens the window and runs until it closes; returns the process's exit status. With
// `resetSettings` every remembered choice is forgotten first; a `file` is opened. When the user
// has a window open already, that window comes forward and opens the file instead.
int RunWindow(int argc, char** argv, bool resetSettings = false, const std::string& file = {});

} // namespace kvat
