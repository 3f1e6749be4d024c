#pragma once
// Writing a whole file or nothing: a reader never sees half a file, and a failed write leaves
// the earlier file in place. Every file the program writes goes through here.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace kvat {

// A file being written. A regular or missing target is written to a new file beside it, which
// Commit renames over it once the bytes are on the disk; a symbolic link is followed, so the
// link stays and what it points to is replaced. A device or a FIFO is written straight through:
// renaming over it would replace the device with a regular file. Dropped without a successful
// Commit, the new file goes and the target is as it was.
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once any step has failed; later writes do nothing.
    bool Write(std::span<const std::uint8_t> bytes);
    // Flushes the bytes to the disk and puts the file in place.
    bool Commit();
    // After a failure: one line, the path as given and the system's reason.
    const std::string& Error() const { return error_; }
    // After a failure: the system's error number, for a front end to word in its own language.
    int ErrorCode() const { return errorCode_; }

private:
    bool Fail(int code);
    void Discard();

    std::filesystem::path path_;      // as the caller named it, for the message
    std::filesystem::path target_;    // with the symbolic links followed
    std::filesystem::path temporary_; // empty when writing straight through
    int descriptor_ = -1;
    std::uint64_t written_ = 0;
    std::string error_;
    int errorCode_ = 0;
};

// The whole of `bytes` as the file `path`, as AtomicFile writes it. False on failure, with the
// one-line reason in `error`.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error);
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace kvat
