#pragma once
// Writing a whole file or nothing: a reader never sees half a MIDI file, and a failed write
// leaves the earlier file in place.

#include <cstdint>
#include <filesystem>
#include <span>

namespace kvat {

// Writes the bytes to a new file beside `path`, then renames it over `path`. Returns false,
// with `path` untouched and no temporary file left, when any step fails.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace kvat
