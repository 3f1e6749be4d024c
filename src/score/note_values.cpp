#include "score/note_values.h"

namespace kvat {
namespace {

struct PitchClass {
    char step;
    int alter;
};

constexpr std::array<PitchClass, 12> kPitchClasses = {{
    {'C', 0},
    {'C', 1},
    {'D', 0},
    {'D', 1},
    {'E', 0},
    {'F', 0},
    {'F', 1},
    {'G', 0},
    {'G', 1},
    {'A', 0},
    {'A', 1},
    {'B', 0},
}};

} // namespace

const NoteValue& LongestValueWithin(int ticks) {
    for (const NoteValue& value : kNoteValues)
        if (value.ticks <= ticks) return value;
    return kNoteValues.back();
}

Spelling SpellKey(int key) {
    const int octave = key >= 0 ? key / 12 : (key - 11) / 12;
    const PitchClass& pitch = kPitchClasses[static_cast<std::size_t>(key - 12 * octave)];
    return {pitch.step, pitch.alter, octave - 1};
}

} // namespace kvat
