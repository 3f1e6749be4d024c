#include "score/melody_token.h"

namespace kvat {
namespace {

constexpr int kLargestNumber = 32767;

// Digits, then nothing but "+" marks; at least one digit.
std::optional<int> TokenNumber(std::u32string_view digits) {
    int value = 0;
    std::size_t at = 0;
    for (; at < digits.size() && digits[at] >= U'0' && digits[at] <= U'9'; ++at) {
        value = value * 10 + static_cast<int>(digits[at] - U'0');
        if (value > kLargestNumber) return std::nullopt;
    }
    if (at == 0) return std::nullopt;
    for (; at < digits.size(); ++at)
        if (digits[at] != U'+') return std::nullopt;
    return value;
}

} // namespace

std::optional<ScoreNote> ReadScoreToken(std::u32string_view token) {
    ScoreNote note;
    if (token.ends_with(U"++")) {
        note.length = NoteLength::kHalf;
        token = token.substr(0, 2);
    } else if (token.ends_with(U"+")) {
        note.length = NoteLength::kQuarter;
        token = token.substr(0, 2);
    }
    const auto value = TokenNumber(token);
    if (!value) return std::nullopt;
    note.value = *value;
    return note;
}

} // namespace kvat
