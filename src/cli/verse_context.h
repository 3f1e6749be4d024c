#pragma once
// What every subcommand starts from: the verse, its analysis and the metre state the options
// choose, with the vowel colours the editor would show.

#include "cli/options.h"
#include "text/strings.h"
#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/metre.h"
#include "verse/rhymes.h"

#include <optional>
#include <string>

namespace kvat::cli {

struct VerseContext {
    Lines lines;
    VerseAnalysis analysis;
    // The metre is --metre, or the analysis's choice; for an empty verse, which chooses
    // nothing, it keeps the start-up trochee. templates[5] is the hand-placed pattern
    // read from `paint`.
    MetreState metre;
    VowelPaint paint; // the editor's colours: the chosen metre's, or --ictus for metre 5
};

// The locale's decimal separator, as the metre list and the settings labels show numbers.
char32_t DecimalSeparator();

// Reads the verse and the --ictus file. On failure prints nothing, sets `error` and returns
// nothing (the caller exits with status 2).
std::optional<VerseContext> LoadVerse(const Options& options, std::string& error);

// The verse's rhymes, read from the analysis's stresses and, when the ictuses are placed by
// hand, from the lines the user painted.
std::vector<LineRhyme> VerseRhymes(const VerseContext& context);

} // namespace kvat::cli
