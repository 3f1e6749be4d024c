// Staff positions, sharps and ledger lines, checked against the keyboard rather than the tables.

#include "score/staff.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

bool IsBlackPitch(int note) {
    const int pitchClass = note % 12;
    return pitchClass == 1 || pitchClass == 3 || pitchClass == 6 || pitchClass == 8 ||
           pitchClass == 10;
}

TEST(StaffStep, WhiteKeysClimbOneStepEachAndSharpsShareTheNaturalBelow) {
    EXPECT_EQ(StaffStep(64), 0); // E4, bottom line
    EXPECT_EQ(StaffStep(71), 4); // B4, middle line
    int previousWhite = StaffStep(36);
    for (int note = 37; note <= 95; ++note) {
        const int expected = IsBlackPitch(note) ? StaffStep(note - 1) : previousWhite + 1;
        EXPECT_EQ(StaffStep(note), expected) << note;
        if (!IsBlackPitch(note)) previousWhite = expected;
    }
    for (int note : {-1, 0, 5, 35, 96, 32767}) EXPECT_EQ(StaffStep(note), 0) << note;
}

TEST(StaffMarks, SharpsOnBlackKeysLedgerLinesOnLineNotesOffTheStaff) {
    for (int note = -5; note <= 200; ++note) {
        const bool inRange = note >= 36 && note <= 95;
        EXPECT_EQ(IsBlackKey(note), inRange && IsBlackPitch(note)) << note;
        const int step = StaffStep(note);
        const bool lineNoteOffStaff = step % 2 == 0 && (step < 0 || step > 8);
        // The lowest octave goes without.
        EXPECT_EQ(HasLedgerLine(note), inRange && note >= 50 && lineNoteOffStaff) << note;
    }
}

} // namespace
} // namespace kvat
