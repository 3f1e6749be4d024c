#pragma once
// How the score reads one melody token: its length from the trailing marks, its note number from
// the digits.

#include <optional>
#include <string_view>

namespace kvat {

enum class NoteLength { kEighth, kQuarter, kHalf };

struct ScoreNote {
    NoteLength length = NoteLength::kEighth;
    int value = 0; // the note number; 0 is a rest
};

// "++" (and "+++") make a half note, "+" a quarter, no mark an eighth; a marked token keeps only
// its first two characters for the number, so "0+" and "0++" are rests. Nothing for an empty
// token or one that is not a number (other characters, or more than 16 bits).
std::optional<ScoreNote> ReadScoreToken(std::string_view token);

} // namespace kvat
