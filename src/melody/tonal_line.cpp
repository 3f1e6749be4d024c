// Methods 3 and 4: the melody moves up before a word's first ictus and down after it; method 3
// starts every word on the base step, method 4 walks on through the whole line.

#include "melody/methods.h"

#include <cstdint>

namespace kvat::melody {
namespace {

// First pass: "_" per space, then the vowel's interval and "+" on an ictus; "0" per line end.
struct IntervalWalker {
    IntervalWriter writer;

    void StartLine(std::size_t) { writer.falling = false; }
    void Space() {
        writer.falling = false;
        writer.pending += '_';
    }
    void Vowel(char32_t lower, bool ictus) { writer.Vowel(lower, ictus); }
    void EndLine() { writer.LineEnd(); }
};

IntervalText FirstPass(const Lines& lines, const LineTemplates& templates) {
    IntervalText text;
    text.reserve(TokenCount(lines));
    IntervalWalker walker{{text}};
    WalkVerse(lines, templates, walker);
    DoubleMarkBeforeLineEnds(text);
    return text;
}

} // namespace

IntervalText WordIntervalText(const Lines& lines, const LineTemplates& templates) {
    IntervalText text = FirstPass(lines, templates);
    MarkLineStartsAsWords(text);
    return text;
}

IntervalText LineIntervalText(const Lines& lines, const LineTemplates& templates) {
    return FirstPass(lines, templates);
}

Melody MelodyTonalWord(const Lines& lines, const LineTemplates& templates, int baseStep,
                       bool lengthen) {
    const std::int64_t base = baseStep + 1;
    std::int64_t step = base;
    IntervalText tokens = WordIntervalText(lines, templates);
    Melody melody;
    melody.reserve(tokens.size());
    for (std::string& token : tokens) {
        // A word's first vowel sits on the base; its own interval is not used.
        if (token.starts_with('_')) {
            token.erase(0, 1);
            step = base;
        } else {
            step += TokenValue(token);
        }
        melody.push_back(ResolveWithStep(token, step));
    }
    if (lengthen) MarkBeforeRests(melody);
    return melody;
}

Melody MelodyTonalLinear(const Lines& lines, const LineTemplates& templates, int baseStep,
                         bool lengthen) {
    LinearResolver resolver(baseStep, baseStep);
    IntervalText tokens = LineIntervalText(lines, templates);
    Melody melody;
    melody.reserve(tokens.size());
    for (std::string& token : tokens) melody.push_back(resolver.Resolve(token));
    if (lengthen) MarkBeforeRests(melody);
    return melody;
}

} // namespace kvat::melody
