#pragma once
// Channel and meta events as the track holds them: a variable-length delta time, then the status
// byte, never running status, then the data.

#include "midi/status_bytes.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kvat {

using TrackBytes = std::vector<std::uint8_t>;

inline constexpr int kDrumChannel = 9;

// A data byte has seven bits; clamping keeps a stray value from being read as a status byte.
inline std::uint8_t DataByte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

// Seven bits a byte, the most significant first, every byte but the last with its top bit set.
// A delta below 128 is the single byte it always was.
inline void AppendVariableLength(TrackBytes& track, std::uint32_t value) {
    std::uint8_t bytes[5];
    int count = 0;
    do {
        bytes[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && count < 4);
    while (count > 1) track.push_back(bytes[--count] | 0x80);
    track.push_back(bytes[0]);
}

inline void AppendDelta(TrackBytes& track, int delta) {
    // Four bytes hold 28 bits, the most a delta may have.
    AppendVariableLength(track, static_cast<std::uint32_t>(std::clamp(delta, 0, 0x0FFF'FFFF)));
}

inline void AppendEvent(TrackBytes& track, int delta, int status, int first, int second) {
    AppendDelta(track, delta);
    track.insert(track.end(),
                 {static_cast<std::uint8_t>(status), DataByte(first), DataByte(second)});
}

inline void AppendControlChange(TrackBytes& track, int delta, int channel, int controller,
                                int value) {
    AppendEvent(track, delta, midi::kControlChange | channel, controller, value);
}

inline void AppendProgramChange(TrackBytes& track, int delta, int channel, int program) {
    AppendDelta(track, delta);
    track.insert(track.end(),
                 {static_cast<std::uint8_t>(midi::kProgramChange | channel), DataByte(program)});
}

inline void AppendNoteOn(TrackBytes& track, int delta, int channel, int note, int velocity) {
    AppendEvent(track, delta, midi::kNoteOn | channel, note, velocity);
}

inline void AppendNoteOff(TrackBytes& track, int delta, int channel, int note) {
    AppendEvent(track, delta, midi::kNoteOff | channel, note, 0);
}

// A meta event carrying text (a track name, a lyric), its length as a variable-length number.
inline void AppendMetaText(TrackBytes& track, int delta, std::uint8_t type, std::string_view text) {
    AppendDelta(track, delta);
    track.insert(track.end(), {midi::kMetaEvent, type});
    AppendVariableLength(track, static_cast<std::uint32_t>(text.size()));
    track.insert(track.end(), text.begin(), text.end());
}

} // namespace kvat
