#pragma once
// The song's key and the range it is sung in: scale steps to MIDI keys, and the chords of the
// key with the steps they hold.

#include "melody/song.h"

#include <array>

namespace kvat::song {

// The steps a melody may take, 0 being the tonic and 7 its octave: from the dominant below the
// tonic to the sixth above it, a tenth at most in either mode.
inline constexpr int kLowestStep = -3, kHighestStep = 5;
inline constexpr int kStepCount = kHighestStep - kLowestStep + 1;
inline constexpr int kScaleSteps = 7;

// The scale step of a chord's root.
constexpr int RootStep(ChordDegree degree) {
    constexpr std::array<int, kChordDegreeCount> kRoots = {0, 1, 3, 4, 5};
    return kRoots[static_cast<std::size_t>(degree)];
}

// The step modulo the octave, 0..6.
constexpr int StepClass(int step) {
    return ((step % kScaleSteps) + kScaleSteps) % kScaleSteps;
}

constexpr bool IsChordTone(int step, ChordDegree chord) {
    const int above = StepClass(step - RootStep(chord));
    return above == 0 || above == 2 || above == 4;
}

class Key {
public:
    explicit Key(const SongSettings& settings);

    // A minor key's seventh step is raised under the dominant chord, whose third it is.
    int MidiKey(int step, ChordDegree chord) const;
    SongChord Chord(ChordDegree degree) const;
    // The degree a chord takes in this key: a minor key has no supertonic chord.
    ChordDegree InKey(ChordDegree degree) const;
    bool Minor() const { return minor_; }

private:
    int tonicKey_;
    bool minor_;
};

} // namespace kvat::song
