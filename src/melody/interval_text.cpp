#include "melody/interval_text.h"

#include "melody/step_table.h"

#include <algorithm>

namespace kvat::melody {

int TokenValue(std::string_view token) {
    std::size_t at = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (!token.empty() && (token[0] == '-' || token[0] == '+')) ++at;
    int value = 0;
    // The tokens carry one digit; the cap only keeps a malformed token from overflowing.
    for (; at < token.size() && token[at] >= '0' && token[at] <= '9' && value < 100000; ++at)
        value = value * 10 + (token[at] - '0');
    return negative ? -value : value;
}

void RemoveFirst(std::string& token, std::string_view what) {
    const std::size_t at = token.find(what);
    if (at != std::string::npos) token.erase(at, what.size());
}

void RemoveEvery(std::string& token, char what) {
    std::erase(token, what);
}

void DoubleMarkBeforeLineEnds(IntervalText& text) {
    for (std::size_t j = 1; j < text.size(); ++j)
        if (text[j].starts_with('0') && text[j - 1].ends_with('+')) text[j - 1] += '+';
}

void MarkLineStartsAsWords(IntervalText& text) {
    // Only line-end tokens end with "0", and a mark in front never changes how a token ends.
    for (std::size_t j = 1; j < text.size(); ++j)
        if (text[j - 1].ends_with('0')) text[j].insert(0, 1, '_');
    if (!text.empty()) text[0].insert(0, 1, '_');
}

MelodyNote ResolveWithStep(std::string_view token, std::int64_t step) {
    if (token.ends_with("++")) return {NoteOfStep(step), 2};
    if (token.ends_with('+')) return {NoteOfStep(step), 1};
    if (token == "0") return {};
    return {NoteOfStep(step), 0};
}

MelodyNote LinearResolver::Resolve(std::string& token) {
    if (token.ends_with("++")) {
        RemoveFirst(token, "++");
        step_ += TokenValue(token);
        return {NoteOfStep(step_), 2};
    }
    MelodyNote note;
    if (token.ends_with('+')) {
        RemoveFirst(token, "+");
        step_ += TokenValue(token);
        note = {NoteOfStep(step_), 1};
    } else if (token != "0") {
        step_ += TokenValue(token);
        note = {NoteOfStep(step_), 0};
    }
    if (note.IsBareRest()) step_ = base_;
    return note;
}

} // namespace kvat::melody
