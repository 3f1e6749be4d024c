#pragma once
// What every MIDI file the program writes must be, read as any player would read it.

#include <array>
#include <cstdint>
#include <span>

namespace kvat::fuzz {

struct MidiReading {
    std::array<std::size_t, 16> noteOns{}; // per channel
    std::uint64_t ticks = 0;               // the whole track's length
};

// Aborts unless the bytes are one format-0 file of one track at 96 ticks per quarter, whose
// length field is the track's real length, whose events all have their status byte and their
// data bytes below 128, which ends with end of track, and in which every note-on of channels
// 0-7 is followed by its note-off (and no note-off comes without one).
MidiReading RequireSoundMidiFile(std::span<const std::uint8_t> file);

} // namespace kvat::fuzz
