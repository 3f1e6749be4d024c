#pragma once
// Writing a whole file or nothing: a reader never sees half a file, and a failed write leaves
// the earlier file in place. Every file the program writes goes through here.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace kvat {

class FileBatch;

// A file being written. A regular or missing target is written to a new file beside it, which
// Commit renames over it once the bytes are on the disk (or hands it to a FileBatch, which puts
// many files in place with one flush); a symbolic link is followed, so the link stays and what
// it points to is replaced. A device or a FIFO is written straight through:
// renaming over it would replace the device with a regular file. Dropped without a successful
// Commit, the new file goes and the target is as it was.
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& path, FileBatch* batch = nullptr);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once any step has failed; later writes do nothing.
    bool Write(std::span<const std::uint8_t> bytes);
    // Flushes the bytes to the disk and puts the file in place; with a batch, hands the finished
    // file to it.
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
    FileBatch* batch_;
    std::string error_;
    int errorCode_ = 0;
};

// The whole of `bytes` as the file `path`, as AtomicFile writes it. False on failure, with the
// one-line reason in `error`.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error, FileBatch* batch = nullptr);
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Many files put in place with one flush to the disk for all of them, where each file alone would
// wait for one of its own: a batch writing a thousand files would otherwise spend most of its time
// waiting. Each file is written to its temporary file as AtomicFile does and handed over closed;
// once `most` are waiting, or at PutInPlace, the file system is flushed once, every file renamed
// over its target and their folders flushed. A file is so whole or absent, after a power cut too.
// Files from many threads at once. Files never put in place are removed with the batch.
class FileBatch {
public:
    explicit FileBatch(std::size_t most = 256) : most_(most) {}
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    void Add(std::filesystem::path temporary, std::filesystem::path target,
             std::filesystem::path shown);
    // Puts every file waiting in place; the one-line errors of all that could not be, so far.
    std::vector<std::string> PutInPlace();

private:
    struct Waiting {
        std::filesystem::path temporary, target, shown;
    };
    void PutWaitingInPlace(); // with the lock held

    std::size_t most_;
    std::mutex mutex_;
    std::vector<Waiting> waiting_;
    std::vector<std::string> errors_;
};

} // namespace kvat
