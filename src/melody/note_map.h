#pragma once
// The per-vowel note lists of method 2 and their random filling.

#include <array>
#include <random>
#include <string_view>

namespace kvat {

// List indexes for а е ё и о у ы э ю я; item k is note 60 + k, -1 no selection.
using NoteMap = std::array<int, 10>;

// The items of every per-vowel list: two chromatic octaves from middle C.
inline constexpr std::array<std::u32string_view, 24> kNoteNames = {
    U"C1", U"C#1", U"D1", U"D#1", U"E1", U"F1", U"F#1", U"G1", U"G#1", U"A1", U"A#1", U"B1",
    U"C2", U"C#2", U"D2", U"D#2", U"E2", U"F2", U"F#2", U"G2", U"G#2", U"A2", U"A#2", U"B2",
};

// The octave list of the note-map panel: where the random notes are drawn from.
inline constexpr std::array<std::u32string_view, 3> kOctaveItems = {U"в 1 окт.", U"во 2 окт.",
                                                                    U"в 1 и 2 окт."};

// Draws every vowel's note on its own from the octaves `octaveItem` (an index of kOctaveItems)
// names; with no octave chosen (-1, or any other index) the map stays as it is.
NoteMap RandomNoteMap(const NoteMap& current, int octaveItem, std::mt19937_64& random);

} // namespace kvat
