#pragma once
// The bars of a melody that times its notes in them: its time signature, the upbeat before the
// first bar line, its key and one chord per bar. The arrangement sounds the bar's chord under
// it, and the score writes its bars, key and chord symbols.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kvat {

struct BarChord {
    int root = 0;       // pitch class, C = 0
    bool minor = false; // a minor triad, else a major one
    bool operator==(const BarChord&) const = default;
};

struct MelodyBars {
    int beats = 2, beatType = 4; // the time signature
    int upbeat = 0;              // ticks before the first bar line: a bar of its own when not 0
    int tonic = 0;               // the key: its tonic's pitch class and mode
    bool minor = false;
    std::vector<BarChord> chords; // one per bar, the upbeat's first when there is one
    bool operator==(const MelodyBars&) const = default;

    // Ticks of a whole bar; of the upbeat's when it is 0 … upbeat.
    int BarTicks() const;
    // The chord sounding at `tick`: the last one past the end; nothing without chords.
    std::optional<std::size_t> ChordIndexAt(std::int64_t tick) const;
    // The first bar line after `tick`.
    std::int64_t NextBarLine(std::int64_t tick) const;
};

// The held accompaniment chord of a bar, on its four channels from the top: the triad over
// the C below middle C and the root an octave below.
std::array<int, 4> HeldChordKeys(const BarChord& chord);

// The harmony voices under a melody key (mezzo, tenor, bass): the two chord tones below it, at
// least a minor third apart, and the chord's root under them. Never below key 24.
std::array<int, 3> VoicesUnder(const BarChord& chord, int melodyKey);

} // namespace kvat
