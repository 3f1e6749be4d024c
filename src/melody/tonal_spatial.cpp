// Methods 5-7: the tonal moves with a second dimension, the side of the line's centre a word or
// syllable stands on; syllables before the centre push the melody up, after it pull it down.

#include "melody/methods.h"

#include <cstdint>
#include <cstdlib>

namespace kvat::melody {
namespace {

// Per line: half its vowel count, truncated; and, counted on the way, the number of tokens.
struct LineCentres {
    explicit LineCentres(const Lines& lines) : tokenCount(lines.size()) {
        ofLine.reserve(lines.size());
        for (const auto& line : lines) {
            const std::size_t vowels = VowelCount(line);
            ofLine.push_back(static_cast<std::int64_t>(vowels / 2));
            tokenCount += vowels;
        }
    }
    std::vector<std::int64_t> ofLine;
    std::size_t tokenCount;
};

// The user's shift of the centre holds only until the first line whose centre is too small for
// it; from there on it is 0 for the rest of the run.
class ShiftedCentre {
public:
    explicit ShiftedCentre(int shift) : shift_(shift) {}
    void Check(std::int64_t centre) {
        if (centre - 2 <= std::abs(shift_)) shift_ = 0;
    }
    // ">" before the centre (k vowels up to here), "<" after it.
    char Side(std::int64_t k, std::int64_t centre) const {
        return k <= centre + shift_ ? '>' : '<';
    }

private:
    std::int64_t shift_;
};

// Method 5's first pass: a space writes its side mark and "_"; a vowel its interval.
struct PlanarWalker {
    const LineCentres& centres;
    ShiftedCentre shift;
    IntervalWriter writer;
    std::int64_t centre = 0;
    std::int64_t vowels = 0;

    void StartLine(std::size_t line) {
        centre = centres.ofLine[line];
        vowels = 0;
        writer.falling = false;
    }
    void Space() {
        shift.Check(centre);
        writer.pending += shift.Side(vowels, centre);
        writer.pending += '_';
        writer.falling = false;
    }
    void Vowel(char32_t lower, bool ictus) {
        shift.Check(centre);
        ++vowels;
        writer.Vowel(lower, ictus);
    }
    void EndLine() { writer.LineEnd(); }
};

// Methods 6 and 7's first pass: every vowel carries the side it stands on, itself counted.
struct VolumeWalker {
    const LineCentres& centres;
    ShiftedCentre shift;
    IntervalWriter writer;
    std::int64_t centre = 0;
    std::int64_t vowels = 0;

    void StartLine(std::size_t line) {
        centre = centres.ofLine[line];
        vowels = 0;
        writer.falling = false;
    }
    void Space() { writer.falling = false; }
    void Vowel(char32_t lower, bool ictus) {
        ++vowels;
        shift.Check(centre);
        writer.pending += shift.Side(vowels, centre);
        writer.Vowel(lower, ictus);
    }
    void EndLine() { writer.LineEnd(); }
};

} // namespace

IntervalText PlanarIntervalText(const Lines& lines, const LineTemplates& templates,
                                int centreShift) {
    const LineCentres centres(lines);
    IntervalText text;
    text.reserve(centres.tokenCount);
    PlanarWalker walker{centres, ShiftedCentre(centreShift), {text}};
    WalkVerse(lines, templates, walker);
    DoubleMarkBeforeLineEnds(text);
    MarkLineStartsAsWords(text);
    return text;
}

IntervalText VolumeIntervalText(const Lines& lines, const LineTemplates& templates,
                                int centreShift) {
    const LineCentres centres(lines);
    IntervalText text;
    text.reserve(centres.tokenCount);
    VolumeWalker walker{centres, ShiftedCentre(centreShift), {text}};
    WalkVerse(lines, templates, walker);
    DoubleMarkBeforeLineEnds(text);
    return text;
}

Melody MelodyTonalPlanar(const Lines& lines, const LineTemplates& templates, int baseStep,
                         int centreShift, bool lengthen) {
    const std::int64_t base = baseStep + 1;
    std::int64_t wordBase = base;
    std::int64_t step = base;
    IntervalText tokens = PlanarIntervalText(lines, templates, centreShift);
    Melody melody;
    melody.reserve(tokens.size());
    for (std::string& token : tokens) {
        if (token.starts_with('_')) {
            token.erase(0, 1);
            step = base;
        } else {
            step += TokenValue(token);
        }
        // Every later word starts a step above the last word's start before the centre, and
        // a step below it after the centre.
        if (token.starts_with(">_")) {
            token.erase(0, 2);
            step = ++wordBase;
        }
        if (token.starts_with("<_")) {
            token.erase(0, 2);
            step = --wordBase;
        }
        const MelodyNote note = ResolveWithStep(token, step);
        if (note.IsBareRest()) wordBase = base;
        melody.push_back(note);
    }
    if (lengthen) MarkBeforeRests(melody);
    return melody;
}

Melody MelodyTonalVolume(const Lines& lines, const LineTemplates& templates, int baseStep,
                         int centreShift, bool lengthen) {
    LinearResolver resolver(baseStep, baseStep);
    IntervalText tokens = VolumeIntervalText(lines, templates, centreShift);
    Melody melody;
    melody.reserve(tokens.size());
    for (std::string& token : tokens) {
        // A falling syllable, and any syllable past the centre, goes one step lower.
        if (token.starts_with('>') || token.starts_with('-')) RemoveEvery(token, '>');
        if (token.starts_with('<') || token.starts_with('-')) {
            RemoveEvery(token, '<');
            --resolver.Step();
        }
        melody.push_back(resolver.Resolve(token));
    }
    if (lengthen) MarkBeforeRests(melody);
    return melody;
}

Melody MelodyTonalPseudoVolume(const Lines& lines, const LineTemplates& templates, int baseStep,
                               int centreShift, bool lengthen) {
    const std::int64_t base = baseStep + 1;
    std::int64_t step = base;
    IntervalText tokens = VolumeIntervalText(lines, templates, centreShift);
    Melody melody;
    melody.reserve(tokens.size());
    for (std::string& token : tokens) {
        // One step more before the centre, one less after it.
        if (token.starts_with('>')) {
            token.erase(0, 1);
            step += TokenValue(token) + 1;
        }
        if (token.starts_with('<')) {
            token.erase(0, 1);
            step += TokenValue(token) - 1;
        }
        const MelodyNote note = ResolveWithStep(token, step);
        if (note.IsBareRest()) step = base;
        melody.push_back(note);
    }
    if (lengthen) MarkBeforeRests(melody);
    return melody;
}

} // namespace kvat::melody
