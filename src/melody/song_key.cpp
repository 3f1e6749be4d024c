#include "melody/song_key.h"

#include <algorithm>

namespace kvat::song {
namespace {

constexpr std::array<int, kScaleSteps> kMajorScale = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, kScaleSteps> kMinorScale = {0, 2, 3, 5, 7, 8, 10};

// The lowest tonic each range is sung from: the twelve keys above it keep the melody's steps
// within the voice's usual range (soprano C4-C6, alto F3-F5, tenor C3-C5, bass E2-E4).
constexpr std::array<int, kSongRangeCount> kLowestTonic = {64, 57, 52, 45};

constexpr int kOctave = 12;

int LowestTonic(SongRange range) {
    const int index = std::clamp(static_cast<int>(range), 0, kSongRangeCount - 1);
    return kLowestTonic[static_cast<std::size_t>(index)];
}

} // namespace

Key::Key(const SongSettings& settings)
    : tonicKey_(LowestTonic(settings.range) +
                ((settings.tonic % kOctave) - LowestTonic(settings.range) % kOctave + 2 * kOctave) %
                    kOctave),
      minor_(settings.mode == SongMode::kMinor) {}

int Key::MidiKey(int step, ChordDegree chord) const {
    const int octave = (step - StepClass(step)) / kScaleSteps;
    const auto& scale = minor_ ? kMinorScale : kMajorScale;
    const int stepClass = StepClass(step);
    const bool leadingTone = minor_ && stepClass == 6 && chord == ChordDegree::kDominant;
    return tonicKey_ + octave * kOctave + scale[static_cast<std::size_t>(stepClass)] + leadingTone;
}

ChordDegree Key::InKey(ChordDegree degree) const {
    return minor_ && degree == ChordDegree::kSupertonic ? ChordDegree::kSubdominant : degree;
}

SongChord Key::Chord(ChordDegree degree) const {
    degree = InKey(degree);
    const int root = MidiKey(RootStep(degree), degree);
    const int third = MidiKey(RootStep(degree) + 2, degree);
    return {degree, root % kOctave, third - root == 3};
}

} // namespace kvat::song
