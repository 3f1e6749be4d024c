#pragma once
// The verse as every front end starts from it: its lines analysed in the stress mode asked for,
// the metre chosen (by the analysis, or given) and the vowels coloured as the editor shows them,
// with the hand-placed pattern read from the painted vowels.

#include "text/strings.h"
#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/metre.h"
#include "verse/rhymes.h"

#include <optional>

namespace kvat {

struct MetreChoice {
    std::optional<int> metre; // 0..5; none (or any other value): the analysis's choice
    VowelPaint handPaint;     // with the hand-placed metre: the painted vowels, '1' red
};

struct VerseSetup {
    Lines lines;
    VerseAnalysis analysis;
    // The chosen metre, or the analysis's; an empty verse, which chooses nothing, keeps the
    // start-up trochee. templates[5] is the hand-placed pattern read from `paint`.
    MetreState metre;
    VowelPaint paint; // the editor's colours: the chosen metre's, or the painted ones
};

// `decimalSeparator` writes the metre list's percentages, as the user's locale does.
VerseSetup SetUpVerse(Lines lines, StressMode mode, const MetreChoice& choice,
                      char32_t decimalSeparator = U'.');

// The lines' stress strings as the analysis found them, with the vowels painted by hand put in
// when the metre is the hand-placed one.
std::vector<std::string> VerseStress(const VerseSetup& verse);

// The verse's rhymes, one entry a line, read from the analysis's stresses and, with the
// hand-placed metre, from the vowels painted.
std::vector<LineRhyme> VerseRhymes(const VerseSetup& verse);

} // namespace kvat
