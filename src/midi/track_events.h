#pragma once
// Channel events as the track holds them: a one-byte delta time (the arrangement only ever
// waits 0, 1, 48, 72 or 96 ticks), then the status byte, never running status, then the data.

#include "midi/status_bytes.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kvat {

using TrackBytes = std::vector<std::uint8_t>;

inline constexpr int kDrumChannel = 9;

// A data byte has seven bits; clamping keeps a stray value from being read as a status byte.
inline std::uint8_t DataByte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

inline void AppendEvent(TrackBytes& track, int delta, int status, int first, int second) {
    track.insert(track.end(), {DataByte(delta), static_cast<std::uint8_t>(status), DataByte(first),
                               DataByte(second)});
}

inline void AppendControlChange(TrackBytes& track, int channel, int controller, int value) {
    AppendEvent(track, 0, midi::kControlChange | channel, controller, value);
}

inline void AppendProgramChange(TrackBytes& track, int channel, int program) {
    track.insert(track.end(), {0, static_cast<std::uint8_t>(midi::kProgramChange | channel), DataByte(program)});
}

inline void AppendNoteOn(TrackBytes& track, int delta, int channel, int note, int velocity) {
    AppendEvent(track, delta, midi::kNoteOn | channel, note, velocity);
}

inline void AppendNoteOff(TrackBytes& track, int delta, int channel, int note) {
    AppendEvent(track, delta, midi::kNoteOff | channel, note, 0);
}

} // namespace kvat
