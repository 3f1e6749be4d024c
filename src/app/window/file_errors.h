#pragma once
// Files the window writes and reads, and why one failed, said in Russian: the command line's
// writers report in English, for other programs; the window words the system's reason itself.

#include <QString>
#include <cstdint>
#include <span>

namespace kvat {

// Writes `bytes` as the file `path`, whole or not at all; an empty string, or one sentence.
QString WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes);

// Why the file `path` cannot be written, from the system's error number.
QString WriteFailure(const QString& path, int errorCode);

// Why the file `path` could not be opened for reading.
QString ReadFailure(const QString& path);

} // namespace kvat
