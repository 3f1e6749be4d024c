#pragma once
// The score's measures that the window and the playback marker share with the layout, in twips
// (1440 to the inch, 15 to a screen pixel).

namespace kvat {

// One melody token's column on the canvas.
inline constexpr int kColumnTwips = 800;
// The part of the canvas the window shows at a time.
inline constexpr int kViewportTwips = 4215;
inline constexpr int kViewportHeightTwips = 1575;
// Where the playback marker starts: over the first note's head.
inline constexpr int kMarkerStartTwips = 1050;

} // namespace kvat
