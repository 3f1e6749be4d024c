#include "midi/file_writer.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <system_error>

namespace kvat {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr int kNameAttempts = 16;

// A new, exclusively created file in the target's folder, so the rename stays on one file
// system and never meets another writer's temporary file.
File CreateTemporary(const std::filesystem::path& path, std::filesystem::path& temporary) {
    // Clock and address together differ between processes and between calls.
    const auto seed = static_cast<std::uint_fast32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^
        reinterpret_cast<std::uintptr_t>(&temporary));
    std::minstd_rand names(seed);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = path;
        temporary += ".tmp" + std::to_string(names());
        if (File file{std::fopen(temporary.c_str(), "wbx")}) return file;
    }
    return nullptr;
}

bool WriteAll(File file, std::span<const std::uint8_t> bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return written && std::fclose(file.release()) == 0;
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    if (!path.has_filename()) return false;
    std::filesystem::path temporary;
    File file = CreateTemporary(path, temporary);
    if (!file) return false;
    std::error_code error;
    if (WriteAll(std::move(file), bytes)) {
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
    }
    std::filesystem::remove(temporary, error);
    return false;
}

} // namespace kvat
