#pragma once
// The playback marker: the timer period that spreads the sequence over the score's columns,
// and one tick's move of the marker, the score's scroll and the colour lamp.

#include "score/twips.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kvat {

inline constexpr int kLongestInterval = 65535; // the longest period the timer takes

// The sequence's length over the scroll maximum, less 10 ms for the work of each tick,
// rounded. Nothing (the timer keeps its period) when the length is unknown, the score has no
// columns, or the period would not be a usable one.
std::optional<int> MarkerInterval(std::optional<int> lengthMs, int scrollMaximum);

// When a melody times its notes itself the marker steps as they start: the wait from
// `positionMs` until note `column + 1` starts (`startsMs` per note), at least 1 ms; nothing
// past the last note.
std::optional<int> NoteInterval(std::span<const std::int64_t> startsMs, int column,
                                std::int64_t positionMs);

// The score column whose note the marker at `markerX` stands over.
constexpr int MarkerColumn(int markerX) {
    return (markerX - kMarkerStartTwips) / kColumnTwips;
}

struct MarkerStep {
    int markerX = 0;     // twips on the canvas
    int scrollValue = 0; // the score's scroll value after the move
    int lampIndex = 0;   // the colour-list line the lamp shows: the syllable under the marker
    bool atEnd = false;  // the last column is reached: playback stops
};

// One tick: the marker moves a column right; once it has passed the middle of the viewport (as
// wide as the window lets it be) the score scrolls under it instead, so it stays in place on
// screen.
MarkerStep AdvanceMarker(int markerX, int scrollValue, int scrollMaximum,
                         int viewportTwips = kViewportTwips);

} // namespace kvat
