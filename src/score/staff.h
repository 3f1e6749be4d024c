#pragma once
// Where a note sits on the treble staff, and which notes carry a sharp or a ledger line.

#include <array>
#include <cstdint>

namespace kvat {

inline constexpr int kLowestStaffNote = 36;
inline constexpr int kHighestStaffNote = 95;

namespace detail {
// Steps of the notes 36 … 95: a natural note one step above the natural below it, a sharp note
// on the step of its natural, E4 (64) on the bottom line as step 0.
inline constexpr std::array<std::int8_t, kHighestStaffNote - kLowestStaffNote + 1> kStaffSteps = {
    -16, -16, -15, -15, -14, -13, -13, -12, -12, -11, -11, -10, // 36 … 47
    -9,  -9,  -8,  -8,  -7,  -6,  -6,  -5,  -5,  -4,  -4,  -3,  // 48 … 59
    -2,  -2,  -1,  -1,  0,   1,   1,   2,   2,   3,   3,   4,   // 60 … 71
    5,   5,   6,   6,   7,   8,   8,   9,   9,   10,  10,  11,  // 72 … 83
    12,  12,  13,  13,  14,  15,  15,  16,  16,  17,  17,  18,  // 84 … 95
};
} // namespace detail

// Staff step of a MIDI note (E4 = 0, B4 = 4 on the middle line, 40 twips a step); 0 for any
// number outside 36 … 95.
constexpr int StaffStep(int note) {
    if (note < kLowestStaffNote || note > kHighestStaffNote) return 0;
    return detail::kStaffSteps[note - kLowestStaffNote];
}

// Notes drawn with a sharp in front.
inline constexpr std::array<int, 25> kBlackKeys = {37, 39, 42, 44, 46, 49, 51, 54, 56,
                                                   58, 61, 63, 66, 68, 70, 73, 75, 78,
                                                   80, 82, 85, 87, 90, 92, 94};

// Notes drawn with one short line through the head. The steps between such a note and the staff
// get no line, and the lowest octave gets none at all.
inline constexpr std::array<int, 16> kLedgerNotes = {60, 61, 57, 58, 53, 54, 50, 51,
                                                     81, 82, 84, 85, 88, 91, 92, 95};

namespace detail {
template <std::size_t N> constexpr auto NoteSet(const std::array<int, N>& notes) {
    std::array<bool, kHighestStaffNote + 1> set{};
    for (int note : notes) set[note] = true;
    return set;
}
inline constexpr auto kBlackKeySet = NoteSet(kBlackKeys);
inline constexpr auto kLedgerSet = NoteSet(kLedgerNotes);
} // namespace detail

constexpr bool IsBlackKey(int note) {
    return note >= 0 && note <= kHighestStaffNote && detail::kBlackKeySet[note];
}
constexpr bool HasLedgerLine(int note) {
    return note >= 0 && note <= kHighestStaffNote && detail::kLedgerSet[note];
}

} // namespace kvat
