#pragma once
// The Standard MIDI File around the arranged events: format 0, one track, 96 ticks per quarter
// note, opened by the time signature and the tempo and closed by end of track.

#include "midi/track_events.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace kvat {

inline constexpr int kTicksPerQuarter = 96;

// `tempo` in quarter notes per minute; the denominator is written as its power of two. A
// non-empty `title` (UTF-8) opens the track as its name; `endDelta` is the time between the
// last event and the end of the track.
TrackBytes BuildMidiFile(std::span<const std::uint8_t> events, int tempo, int numerator,
                         int denominator, std::string_view title = {}, int endDelta = 0);

} // namespace kvat
