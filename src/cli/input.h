#pragma once
// Reading the verse (and the other text files the options name) as the editor would hold it.

#include "text/strings.h"

#include <optional>
#include <string>

namespace kvat::cli {

// A UTF-8 text file, or standard input for "" and "-". A byte-order mark is dropped; LF and
// CR LF both end lines; one final line break only ends the last line. On failure returns
// nothing and sets `error` to one line naming the file and the fault.
std::optional<Lines> ReadTextLines(const std::string& path, std::string& error);

} // namespace kvat::cli
