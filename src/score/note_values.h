#pragma once
// How lengths and keys are written in a score: note values with their dots, in the MIDI file's
// ticks, and a key's step, alteration and octave.

#include "midi/midi_file.h"

#include <array>
#include <string_view>

namespace kvat {

struct NoteValue {
    int ticks;
    std::string_view type; // MusicXML's name of the value
    int dots;
};

// Longest first; every whole number of 128th notes is a sum of them.
inline constexpr int kQuarter = kTicksPerQuarter;
inline constexpr std::array<NoteValue, 12> kNoteValues = {{
    {4 * kQuarter, "whole", 0},
    {3 * kQuarter, "half", 1},
    {2 * kQuarter, "half", 0},
    {3 * kQuarter / 2, "quarter", 1},
    {kQuarter, "quarter", 0},
    {3 * kQuarter / 4, "eighth", 1},
    {kQuarter / 2, "eighth", 0},
    {3 * kQuarter / 8, "16th", 1},
    {kQuarter / 4, "16th", 0},
    {kQuarter / 8, "32nd", 0},
    {kQuarter / 16, "64th", 0},
    {kQuarter / 32, "128th", 0},
}};

// The longest value that fits in `ticks`, so a length is written as few tied values; the
// shortest value for anything shorter than it.
const NoteValue& LongestValueWithin(int ticks);

struct Spelling {
    char step;  // C … B
    int alter;  // 1 for a sharp: black keys are written as sharps, as the one-line score does
    int octave; // 4 holds middle C, key 60
};

Spelling SpellKey(int key);

struct KeySignature {
    int fifths = 0; // sharps, or flats when negative
    bool minor = false;
};

// The key signature of a tonic (a pitch class) and mode: F sharp major, but E flat minor.
KeySignature KeySignatureOf(int tonic, bool minor);

// A key spelled in a key signature: the scale's notes, the minor's raised seventh among them,
// on their own letters; any other as SpellKey spells it.
Spelling SpellKeyIn(int key, const KeySignature& signature);

} // namespace kvat
