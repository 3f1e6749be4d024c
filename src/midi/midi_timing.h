#pragma once
// How long a Standard MIDI File plays, read from its bytes, and the conversion between its
// ticks and milliseconds. The program's own files have one tempo event, so the first tempo
// holds for the whole file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace kvat {

struct MidiTiming {
    int division = 96;              // ticks per quarter note
    int microsPerQuarter = 500'000; // the file's first tempo; 120 per minute when it sets none
    std::int64_t lengthTicks = 0;   // where the longest track ends
};

// Nothing for bytes that are not a whole metrical-time Standard MIDI File.
std::optional<MidiTiming> ReadMidiTiming(std::span<const std::uint8_t> file);

std::int64_t TicksToMs(const MidiTiming& timing, std::int64_t ticks);
std::int64_t MsToTicks(const MidiTiming& timing, std::int64_t ms);
inline std::int64_t LengthMs(const MidiTiming& timing) {
    return TicksToMs(timing, timing.lengthTicks);
}

// The whole file, or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path);

} // namespace kvat
