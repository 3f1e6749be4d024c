#pragma once
// The interval text of the five tonal methods: the first pass writes one token per vowel (its
// syllable interval, "+" on an ictus, word and side marks in front) and "0" per line end; the
// second pass resolves the tokens into notes. The tokens are kept as the short texts the second
// pass reads them as, so that its mark handling is literally the one described by the tokens.

#include "melody/melody_notes.h"
#include "melody/verse_walk.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvat::melody {

using IntervalText = std::vector<std::string>;

// Writes a first pass's tokens. Marks wait in `pending` for the token they stand in front of;
// a word rises until its first ictus and falls after it.
struct IntervalWriter {
    IntervalText& out;
    std::string pending{};
    bool falling = false;

    // The vowel's interval, and "+" on an ictus, which turns the word to falling.
    void Vowel(char32_t lower, bool ictus) {
        pending += SyllableIntervalText(falling, lower);
        if (ictus) {
            pending += '+';
            falling = true;
        }
        Emit();
    }
    void LineEnd() {
        pending += '0';
        Emit();
    }
    void Emit() {
        out.push_back(std::move(pending));
        pending.clear();
    }
};

// v(t): the signed number at the token's start, read up to the first character that cannot
// continue it; 0 when the token does not start with one ("_1" and ">1" are 0).
int TokenValue(std::string_view token);

void RemoveFirst(std::string& token, std::string_view what);
void RemoveEvery(std::string& token, char what);

// "+" CR LF "0" -> "++" CR LF "0": an ictus right before a bare line end becomes "++".
void DoubleMarkBeforeLineEnds(IntervalText& text);

// "0" CR LF -> "0" CR LF "_" and "_" in front: the first token of every line is a word start.
void MarkLineStartsAsWords(IntervalText& text);

// The resolving rule of the word-based methods: the marks decide the token, s gives the note,
// and a bare "0" stays the line-end rest.
MelodyNote ResolveWithStep(std::string_view token, std::int64_t step);

// The resolving rule of the line-based methods: the token's own value moves the running step,
// and a token that resolves to the bare rest (a line end, or a step outside the table) sends
// it back to the base.
class LinearResolver {
public:
    LinearResolver(std::int64_t base, std::int64_t step) : base_(base), step_(step) {}
    MelodyNote Resolve(std::string& token);
    std::int64_t& Step() { return step_; }

private:
    std::int64_t base_;
    std::int64_t step_;
};

} // namespace kvat::melody
