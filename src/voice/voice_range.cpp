#include "voice/voice_range.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kvat {
namespace {

constexpr int kOctave = 12;
constexpr int kFarthestOctaves = 4;

double SemitonesOutside(std::span<const SungNote> notes, const VoiceRange& range, int shift) {
    double outside = 0;
    for (const SungNote& note : notes) {
        const int key = note.key + shift;
        outside += std::max(0, range.lowKey - key) + std::max(0, key - range.highKey);
    }
    return outside;
}

} // namespace

const VoiceRange& RangeOf(VoiceKind voice) {
    for (const VoiceRange& range : kVoiceRanges)
        if (range.kind == voice) return range;
    return kVoiceRanges[0];
}

int OctaveShift(std::span<const SungNote> notes, VoiceKind voice) {
    const VoiceRange& range = RangeOf(voice);
    int best = 0;
    double bestOutside = SemitonesOutside(notes, range, 0);
    for (int octaves = 1; octaves <= kFarthestOctaves; ++octaves)
        for (int shift : {-octaves * kOctave, octaves * kOctave})
            if (const double outside = SemitonesOutside(notes, range, shift);
                outside < bestOutside) {
                best = shift;
                bestOutside = outside;
            }
    return best;
}

std::vector<SungNote> InVoiceRange(std::span<const SungNote> notes, VoiceKind voice) {
    const VoiceRange& range = RangeOf(voice);
    const int shift = OctaveShift(notes, voice);
    std::vector<SungNote> sung(notes.begin(), notes.end());
    for (SungNote& note : sung) {
        note.key += shift;
        while (note.key > range.highKey && note.key - kOctave >= range.lowKey) note.key -= kOctave;
        while (note.key < range.lowKey && note.key + kOctave <= range.highKey) note.key += kOctave;
    }
    return sung;
}

double KeyHz(double key) {
    return 440.0 * std::exp2((key - 69) / kOctave);
}

} // namespace kvat
