#include "score/melody_token.h"

namespace kvat {
namespace {

constexpr int kLargestNumber = 32767;

// Digits, then nothing but "+" marks; at least one digit.
std::optional<int> TokenNumber(std::string_view digits) {
    int value = 0;
    std::size_t at = 0;
    for (; at < digits.size() && digits[at] >= '0' && digits[at] <= '9'; ++at) {
        value = value * 10 + static_cast<int>(digits[at] - '0');
        if (value > kLargestNumber) return std::nullopt;
    }
    if (at == 0) return std::nullopt;
    for (; at < digits.size(); ++at)
        if (digits[at] != '+') return std::nullopt;
    return value;
}

} // namespace

std::optional<ScoreNote> ReadScoreToken(std::string_view token) {
    ScoreNote note;
    if (token.ends_with("++")) {
        note.length = NoteLength::kHalf;
        token = token.substr(0, 2);
    } else if (token.ends_with("+")) {
        note.length = NoteLength::kQuarter;
        token = token.substr(0, 2);
    }
    const auto value = TokenNumber(token);
    if (!value) return std::nullopt;
    note.value = *value;
    return note;
}

} // namespace kvat
