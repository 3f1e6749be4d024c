// Staff positions, sharps and ledger lines, checked against the keyboard rather than the tables.

#include "score/staff.h"

#include <gtest/gtest.h>

#include <string_view>

namespace kvat {
namespace {

bool IsBlackPitch(int note) {
    return std::string_view("010100101010")[static_cast<std::size_t>((note % 12 + 12) % 12)] == '1';
}

TEST(Staff, StepsSharpsAndLedgerLinesFollowTheKeyboard) {
    EXPECT_EQ(StaffStep(64), 0); // E4, bottom line
    EXPECT_EQ(StaffStep(71), 4); // B4, middle line
    for (int note = -5, white = StaffStep(36) - 1; note <= 200; ++note) {
        const bool inRange = note >= 36 && note <= 95, black = IsBlackPitch(note);
        // White keys climb one step each, sharps share the natural below; off the range, 0.
        const int step = !inRange ? 0 : black ? StaffStep(note - 1) : ++white;
        EXPECT_EQ(StaffStep(note), step) << note;
        EXPECT_EQ(IsBlackKey(note), inRange && black) << note;
        // A line note off the staff has its ledger line; the lowest octave goes without.
        const bool lineNoteOffStaff = step % 2 == 0 && (step < 0 || step > 8);
        EXPECT_EQ(HasLedgerLine(note), inRange && note >= 50 && lineNoteOffStaff) << note;
    }
}

} // namespace
} // namespace kvat
