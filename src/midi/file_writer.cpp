#include "midi/file_writer.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kvat {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 16;
constexpr int kMostLinks = 40; // as the kernel's own limit before ELOOP

// The file a chain of symbolic links ends at, which need not exist yet; a link is read
// relative to its own folder.
fs::path FollowLinks(fs::path path, int& code) {
    for (int link = 0; link < kMostLinks; ++link) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            code = error.value();
            return path;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    code = ELOOP;
    return path;
}

// A new, exclusively created file in the target's folder, so the rename stays on one file
// system and never meets another writer's temporary file. Sets errno when it fails.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
    // Clock and address together differ between processes and between calls.
    const auto seed = static_cast<std::uint_fast32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^
        reinterpret_cast<std::uintptr_t>(&temporary));
    std::minstd_rand names(seed);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = target;
        temporary += ".tmp" + std::to_string(names());
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

// The folder's own entries reach the disk too, so a renamed file survives a power cut.
void SyncFolder(const fs::path& folder) {
    const int descriptor =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

// The file system a folder lies on, flushed: every file written there reaches the disk. Errors
// as errno, 0 when it went well.
int SyncFileSystem(const fs::path& folder) {
    const int descriptor =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return errno;
    const int synced = ::syncfs(descriptor) == 0 ? 0 : errno;
    ::close(descriptor);
    return synced;
}

} // namespace

AtomicFile::AtomicFile(const fs::path& path, FileBatch* batch) : path_(path), batch_(batch) {
    if (!path.has_filename()) {
        Fail(path.empty() ? ENOENT : EISDIR);
        return;
    }
    int code = 0;
    target_ = FollowLinks(path, code);
    if (code != 0) {
        Fail(code);
        return;
    }
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        Fail(EISDIR);
        return;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        descriptor_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (descriptor_ < 0) Fail(errno);
        return;
    }
    descriptor_ = CreateTemporary(target_, temporary_);
    if (descriptor_ < 0) {
        temporary_.clear();
        Fail(errno);
        return;
    }
    // A replaced file keeps who may read it.
    if (exists) ::fchmod(descriptor_, existing.st_mode & 07777);
}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Fail(int code) {
    if (error_.empty()) {
        errorCode_ = code ? code : EIO;
        error_ = path_.string() + ": " + std::generic_category().message(errorCode_);
    }
    Discard();
    return false;
}

void AtomicFile::Discard() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    if (descriptor_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t done = ::write(descriptor_, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return Fail(done < 0 ? errno : ENOSPC);
        written_ += static_cast<std::uint64_t>(done);
        bytes = bytes.subspan(static_cast<std::size_t>(done));
    }
    return true;
}

bool AtomicFile::Commit() {
    if (descriptor_ < 0) return false;
    if (temporary_.empty()) { // a device or a FIFO: nothing to put in place
        const int closed = ::close(descriptor_);
        descriptor_ = -1;
        return closed == 0 || Fail(errno);
    }
    struct stat written {};
    if (!batch_ && ::fsync(descriptor_) != 0) return Fail(errno);
    // A file system that accepted the writes but holds fewer bytes is no better than a failure.
    if (::fstat(descriptor_, &written) != 0) return Fail(errno);
    if (static_cast<std::uint64_t>(written.st_size) != written_) return Fail(EIO);
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) return Fail(errno);
    if (batch_) {
        batch_->Add(std::exchange(temporary_, {}), target_, path_);
        return true;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail(errno);
    temporary_.clear();
    SyncFolder(target_.parent_path());
    return true;
}

bool WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error, FileBatch* batch) {
    AtomicFile file(path, batch);
    if (file.Write(bytes) && file.Commit()) return true;
    error = file.Error();
    return false;
}

bool WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::string ignored;
    return WriteFileAtomically(path, bytes, ignored);
}

FileBatch::~FileBatch() {
    for (const Waiting& file : waiting_) ::unlink(file.temporary.c_str());
}

void FileBatch::Add(fs::path temporary, fs::path target, fs::path shown) {
    const std::lock_guard lock(mutex_);
    waiting_.push_back({std::move(temporary), std::move(target), std::move(shown)});
    if (waiting_.size() >= most_) PutWaitingInPlace();
}

std::vector<std::string> FileBatch::PutInPlace() {
    const std::lock_guard lock(mutex_);
    PutWaitingInPlace();
    return errors_;
}

void FileBatch::PutWaitingInPlace() {
    // The temporary files lie beside their targets: one flush a folder holds them all.
    std::map<fs::path, int> folders;
    for (const Waiting& file : waiting_) folders.emplace(file.target.parent_path(), 0);
    for (auto& [folder, synced] : folders) synced = SyncFileSystem(folder);
    for (const Waiting& file : waiting_) {
        int code = folders[file.target.parent_path()];
        if (code == 0 && ::rename(file.temporary.c_str(), file.target.c_str()) != 0) code = errno;
        if (code == 0) continue;
        ::unlink(file.temporary.c_str());
        errors_.push_back(file.shown.string() + ": " + std::generic_category().message(code));
    }
    waiting_.clear();
    for (const auto& [folder, synced] : folders)
        if (synced == 0) SyncFolder(folder);
}

} // namespace kvat
