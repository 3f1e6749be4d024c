#pragma once
// The two voices, the keys each sings well, and the octave a melody is moved by to fit them:
// high notes on «и», «у», «ы» come out thin past a voice's top.

#include "voice/sung_note.h"

#include <span>
#include <string_view>
#include <vector>

namespace kvat {

struct VoiceRange {
    VoiceKind kind;
    std::string_view espeakVoice; // espeak-ng's name for it
    int lowKey, highKey;          // MIDI keys
};

inline constexpr VoiceRange kVoiceRanges[] = {
    {VoiceKind::kMale, "ru", 45, 67},      // A2 .. G4
    {VoiceKind::kFemale, "ru+f1", 55, 76}, // G3 .. E5
};

const VoiceRange& RangeOf(VoiceKind voice);

// Whole octaves, the same for the whole piece: the shift that leaves the fewest semitones
// outside the voice's range, the smallest such shift when several do.
int OctaveShift(std::span<const SungNote> notes, VoiceKind voice);

// The notes with the keys the voice sings: the piece moved by OctaveShift, then any note still
// outside the range moved by octaves into it, where a singer would take it an octave lower or
// higher.
std::vector<SungNote> InVoiceRange(std::span<const SungNote> notes, VoiceKind voice);

double KeyHz(double key);

} // namespace kvat
