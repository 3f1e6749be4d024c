#include "sound/marker.h"

#include <algorithm>
#include <cmath>

namespace kvat {

std::optional<int> MarkerInterval(std::optional<int> lengthMs, int scrollMaximum) {
    if (!lengthMs || scrollMaximum <= 0) return std::nullopt;
    const long interval = std::lround(static_cast<double>(*lengthMs) / scrollMaximum - 10);
    if (interval <= 0 || interval > kLongestInterval) return std::nullopt;
    return static_cast<int>(interval);
}

std::optional<int> NoteInterval(std::span<const std::int64_t> startsMs, int column,
                                std::int64_t positionMs) {
    const auto next = static_cast<std::size_t>(column) + 1;
    if (column < 0 || next >= startsMs.size()) return std::nullopt;
    return static_cast<int>(
        std::clamp<std::int64_t>(startsMs[next] - positionMs, 1, kLongestInterval));
}

MarkerStep AdvanceMarker(int markerX, int scrollValue, int scrollMaximum, int viewportTwips) {
    MarkerStep step;
    step.markerX = markerX + kColumnTwips;
    step.scrollValue = scrollValue;
    if (2 * step.markerX > viewportTwips && scrollValue <= scrollMaximum) ++step.scrollValue;
    // Counted from the marker, not from the scroll: in a wide view the marker walks further
    // before the score starts to scroll under it.
    const int column = MarkerColumn(step.markerX);
    step.lampIndex = std::min(column, scrollMaximum - 1);
    step.atEnd = column >= scrollMaximum;
    return step;
}

} // namespace kvat
