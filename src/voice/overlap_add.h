#pragma once
// Time-domain pitch-synchronous overlap-add: a spoken phrase laid onto the notes' times. Each
// grain is two of the speech's own pitch periods; placed a sung period apart they bring the
// pitch to the note's exact frequency, and taken from a time-warped place they hold a vowel as
// long as its note while consonants keep their own pace.

#include <cstdint>
#include <span>
#include <vector>

namespace kvat {

struct WarpKnot {
    double out = 0; // seconds on the piece's time line
    double in = 0;  // the input sample sounding then
};

// From input sample `start` on, the speech's pitch and the pitch it is sung at.
struct PitchRegion {
    double start = 0;
    double spokenHz = 100;
    double sungHz = 100;
};

// A vowel held on its note, in output seconds: the vibrato grows after its onset and is gone
// by its end.
struct HeldVowel {
    double onset = 0;
    double end = 0;
};

struct OverlapAddPlan {
    std::vector<WarpKnot> warp;       // at least two, rising in both times
    std::vector<PitchRegion> regions; // rising starts, the first at 0
    std::vector<HeldVowel> held;      // in order
};

struct PlacedSound {
    std::int64_t firstSample = 0; // on the piece's time line at the output rate
    std::vector<float> samples;
};

// The output from the warp's first time to its last, at `rate` samples a second.
PlacedSound OverlapAdd(std::span<const float> input, int inputRate, const OverlapAddPlan& plan,
                       int rate);

// Adds a placed sound into a track that starts at time 0, lengthening it as needed; what would
// sound before time 0 is left out.
void MixInto(std::vector<float>& track, const PlacedSound& sound);

} // namespace kvat
