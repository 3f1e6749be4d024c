// The file around any events, tempo and time signature, written whole through a temporary
// file: the length field, the opening meta events and what lands on disk.

#include "fuzz_input.h"

#include "midi/file_writer.h"
#include "midi/midi_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

std::uint32_t BigEndian(const kvat::TrackBytes& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int k = 0; k < count; ++k) value = (value << 8) | bytes[at + static_cast<std::size_t>(k)];
    return value;
}

// A folder of this process's own, removed when the fuzzer ends its run.
struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kvat-fuzz-midi-" + std::to_string(getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const std::filesystem::path& Folder() {
    static const ScratchFolder folder;
    return folder.path;
}

void CheckWritten(const kvat::TrackBytes& file) {
    using kvat::fuzz::Require;
    const auto path = Folder() / "file.mid";
    Require(kvat::WriteFileAtomically(path, file), "the file could not be written");
    std::ifstream in(path, std::ios::binary);
    const kvat::TrackBytes back{std::istreambuf_iterator<char>(in), {}};
    Require(back == file, "the file on disk is not the bytes written");
    const auto entries = std::distance(std::filesystem::directory_iterator(Folder()), {});
    Require(entries == 1, "a temporary file was left beside the written one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const int tempo = SettingValue(data, 1, 400);
    const int numerator = SettingValue(data, 0, 300);
    const int denominator = SettingValue(data, 0, 64);
    const bool write = data.ConsumeBool();
    const std::vector<std::uint8_t> events = data.ConsumeRemainingBytes<std::uint8_t>();

    const TrackBytes file = BuildMidiFile(events, tempo, numerator, denominator);
    constexpr std::size_t kHead = 22, kMeta = 15, kEnd = 4;
    Require(file.size() == kHead + kMeta + events.size() + kEnd, "the file's size");
    Require(BigEndian(file, 18, 4) == file.size() - kHead, "the track length field");
    // Time signature: FF 58 04 nn dd 24 8, the denominator a power of two of at most 2^31.
    Require(BigEndian(file, 22, 4) == 0x00FF5804 && file[27] < 32 && file[28] == 24 &&
                file[29] == 8,
            "the time signature event");
    Require(BigEndian(file, 30, 4) == 0x00FF5103, "the tempo event");
    const std::uint32_t microseconds = BigEndian(file, 34, 3);
    Require(microseconds > 0, "a tempo of no time per quarter note");
    Require(std::equal(events.begin(), events.end(), file.begin() + kHead + kMeta),
            "the events are not carried as they are");
    Require(BigEndian(file, file.size() - 4, 4) == 0x00FF2F00, "the end of track");
    if (write) CheckWritten(file);
    return 0;
}
