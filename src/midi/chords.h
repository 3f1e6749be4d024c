#pragma once
// The harmony under a melody note: three lower notes for the harmony voices and for the held
// accompaniment chord.

#include <array>
#include <optional>

namespace kvat {

using Chord = std::array<int, 3>; // the notes of the first, second and third chord channel

struct ChordRow {
    int note;
    Chord chord;
};

// The white keys from 36 to 95 have a chord, except 77, whose row stands at 78 instead.
inline constexpr std::array<ChordRow, 35> kChordTable = {{
    {36, {36, 36, 36}}, {38, {36, 36, 36}}, {40, {36, 36, 36}}, {41, {36, 36, 36}},
    {43, {36, 36, 36}}, {45, {36, 36, 36}}, {47, {41, 36, 36}}, {48, {43, 40, 36}},
    {50, {45, 41, 38}}, {52, {48, 43, 36}}, {53, {48, 45, 41}}, {55, {48, 43, 40}},
    {57, {48, 41, 36}}, {59, {53, 45, 38}}, {60, {52, 43, 36}}, {62, {57, 53, 50}},
    {64, {60, 55, 48}}, {65, {60, 57, 53}}, {67, {60, 55, 52}}, {69, {60, 53, 41}},
    {71, {65, 57, 50}}, {72, {64, 55, 48}}, {74, {69, 59, 50}}, {76, {67, 60, 48}},
    {78, {69, 60, 48}}, {79, {72, 67, 64}}, {81, {72, 65, 53}}, {83, {78, 69, 62}},
    {84, {76, 67, 60}}, {86, {81, 71, 62}}, {88, {79, 72, 60}}, {89, {81, 72, 60}},
    {91, {84, 79, 76}}, {93, {84, 78, 65}}, {95, {89, 81, 74}},
}};

// The chord of a melody note; nothing for a note without one (a rest, a black key, a note off
// the table's range).
std::optional<Chord> ChordFor(int note);

} // namespace kvat
