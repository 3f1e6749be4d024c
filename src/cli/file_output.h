#pragma once
// Every file a subcommand writes goes through here: whole or not at all, a device or a FIFO
// written straight through, and a failure told in one line naming the file and the reason.

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace kvat::cli {

// Each returns 0 when the file is written, else prints the error and returns 1.
int WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes);
int WriteOutput(const std::string& path, std::string_view text);
// Streams into the file as `write` produces it, so a large output is never held whole; nothing
// is produced when the file cannot be opened.
int WriteOutput(const std::string& path, const std::function<void(std::ostream&)>& write);

} // namespace kvat::cli
