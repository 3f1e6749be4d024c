// The file around any events, tempo and time signature, written whole through a temporary
// file: the frame, the opening meta events, the events as they are, and what lands on disk.

#include "fuzz_support.h"

#include "midi/file_writer.h"
#include "midi/midi_file.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const int tempo = SettingValue(data, 1, 400), numerator = SettingValue(data, 0, 300);
    const int denominator = SettingValue(data, 0, 64);
    const bool write = data.ConsumeBool();
    const std::vector<std::uint8_t> events = data.ConsumeRemainingBytes<std::uint8_t>();

    const TrackBytes file = BuildMidiFile(events, tempo, numerator, denominator);
    const auto track = RequireFrame(file);
    // FF 58 04 nn dd 24 8 (the denominator a power of two of at most 2^31), FF 51 03 and a tempo
    // of some time per quarter note, the events, FF 2F 00.
    constexpr std::uint8_t kMeta[] = {0, 0xFF, 0x58, 4, 0, 0, 24, 8, 0, 0xFF, 0x51, 3};
    Require(track.size() == 15 + events.size() + 4, "the track's size");
    for (const std::size_t at : {0, 1, 2, 3, 6, 7, 8, 9, 10, 11})
        Require(track[at] == kMeta[at], "the time signature or tempo event");
    Require(track[5] < 32 && (track[12] | track[13] | track[14]) > 0, "the denominator or tempo");
    Require(std::equal(events.begin(), events.end(), track.begin() + 15), "the events changed");
    constexpr std::uint8_t kEnd[] = {0, 0xFF, 0x2F, 0};
    Require(std::equal(track.end() - 4, track.end(), kEnd), "the end of track");
    if (!write) return 0;
    static const ScratchFolder folder;
    const auto path = folder.path / "file.mid";
    Require(WriteFileAtomically(path, file), "the file could not be written");
    std::ifstream in(path, std::ios::binary);
    Require(TrackBytes(std::istreambuf_iterator<char>(in), {}) == file,
            "the file on disk is not the bytes written");
    Require(std::distance(std::filesystem::directory_iterator(folder.path), {}) == 1,
            "a temporary file was left beside the written one");
    return 0;
}
