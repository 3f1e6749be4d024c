// Keys spelled in the key of a song: each scale note on its own letter, whatever accidental
// that takes, and the octave that letter's name belongs to.

#include "score/note_values.h"

#include <gtest/gtest.h>

#include <string>

namespace kvat {
namespace {

std::string Name(const Spelling& s) {
    return s.step + std::string(s.alter > 0 ? s.alter : 0, '#') +
           std::string(s.alter < 0 ? -s.alter : 0, 'b') + std::to_string(s.octave);
}

TEST(Spelling, EveryScaleNoteOnItsOwnLetter) {
    struct Case {
        int key, tonic;
        bool minor;
        int fifths;
        const char* name;
    };
    const Case cases[] = {
        {71, 0, false, 0, "B4"},  {70, 10, false, -2, "Bb4"}, {61, 1, false, -5, "Db4"},
        {65, 6, false, 6, "E#4"}, {66, 7, true, -2, "F#4"},   {62, 3, true, -6, "D4"},
        {71, 3, true, -6, "Cb5"}, {60, 1, true, 4, "B#3"},    {63, 11, true, 2, "D#4"},
        {61, 0, false, 0, "C#4"},
    };
    for (const auto& c : cases) {
        const KeySignature key = KeySignatureOf(c.tonic, c.minor);
        EXPECT_EQ(key.fifths, c.fifths) << c.name;
        EXPECT_EQ(Name(SpellKeyIn(c.key, key)), c.name);
    }
}

} // namespace
} // namespace kvat
