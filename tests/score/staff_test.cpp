// Staff positions, sharps and ledger lines, checked against the keyboard rather than the tables.

#include "score/melody_token.h"
#include "score/staff.h"

#include <gtest/gtest.h>

#include <string>

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
    EXPECT_EQ(StaffStep(77), 8); // F5, top line
    int previousWhite = StaffStep(36);
    for (int note = 37; note <= 95; ++note) {
        if (IsBlackPitch(note)) {
            EXPECT_EQ(StaffStep(note), StaffStep(note - 1)) << note;
        } else {
            EXPECT_EQ(StaffStep(note), previousWhite + 1) << note;
            previousWhite = StaffStep(note);
        }
    }
}

TEST(StaffStep, NumbersOffTheKeyboardSitOnTheBottomLine) {
    for (int note : {-1, 0, 5, 35, 96, 127, 32767}) EXPECT_EQ(StaffStep(note), 0) << note;
}

TEST(StaffMarks, SharpsAreTheBlackKeysOfTheRange) {
    for (int note = 0; note <= 200; ++note) {
        const bool inRange = note >= 36 && note <= 95;
        EXPECT_EQ(IsBlackKey(note), inRange && IsBlackPitch(note)) << note;
    }
    EXPECT_FALSE(IsBlackKey(-3));
}

TEST(StaffMarks, LedgerLinesOnlyForLineNotesOffTheStaffAboveTheLowestOctave) {
    for (int note = 0; note <= 200; ++note) {
        const int step = StaffStep(note);
        const bool onALine = step % 2 == 0;
        const bool offStaff = step < 0 || step > 8;
        const bool expected = note >= 50 && note <= 95 && onALine && offStaff;
        EXPECT_EQ(HasLedgerLine(note), expected) << note;
    }
}

struct TokenCase {
    std::string token;
    bool readable;
    NoteLength length;
    int value;
};

void PrintTo(const TokenCase& c, std::ostream* out) {
    *out << '"' << c.token << '"';
}

class ScoreTokenTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ScoreTokenTest, LengthFromMarksNumberFromDigits) {
    const TokenCase& c = GetParam();
    const auto note = ReadScoreToken(c.token);
    ASSERT_EQ(note.has_value(), c.readable);
    if (!note) return;
    EXPECT_EQ(note->length, c.length);
    EXPECT_EQ(note->value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, ScoreTokenTest,
    ::testing::Values(
        TokenCase{"64", true, NoteLength::kEighth, 64},
        TokenCase{"64+", true, NoteLength::kQuarter, 64},
        TokenCase{"64++", true, NoteLength::kHalf, 64},
        TokenCase{"64+++", true, NoteLength::kHalf, 64},
        TokenCase{"0", true, NoteLength::kEighth, 0},
        TokenCase{"0+", true, NoteLength::kQuarter, 0},
        TokenCase{"0++", true, NoteLength::kHalf, 0}, TokenCase{"7", true, NoteLength::kEighth, 7},
        TokenCase{"123+", true, NoteLength::kQuarter, 12},
        TokenCase{"32767", true, NoteLength::kEighth, 32767}, TokenCase{"32768", false, {}, 0},
        TokenCase{"99999999999999999999", false, {}, 0}, TokenCase{"", false, {}, 0},
        TokenCase{"+", false, {}, 0}, TokenCase{"++", false, {}, 0}, TokenCase{"6x", false, {}, 0},
        TokenCase{"-5", false, {}, 0}, TokenCase{" 64", false, {}, 0}));

} // namespace
} // namespace kvat
