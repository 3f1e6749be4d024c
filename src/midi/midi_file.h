#pragma once
// The Standard MIDI File around the arranged events: format 0, one track, 96 ticks per quarter
// note, opened by the time signature and the tempo and closed by end of track.

#include "midi/track_events.h"

#include <cstdint>
#include <span>

namespace kvat {

inline constexpr int kTicksPerQuarter = 96;

// `tempo` in quarter notes per minute; the denominator is written as its power of two.
TrackBytes BuildMidiFile(std::span<const std::uint8_t> events, int tempo, int numerator,
                         int denominator);

} // namespace kvat
