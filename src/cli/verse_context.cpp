#include "cli/verse_context.h"

#include "cli/input.h"
#include "verse/letters.h"

#include <clocale>

namespace kvat::cli {
namespace {

// --ictus: one line of 0/1 per verse line, the k-th digit colouring the k-th vowel.
VowelPaint PaintFromDigits(const Lines& digits) {
    VowelPaint paint;
    for (const auto& line : digits) {
        std::string marks;
        for (char32_t c : line) marks.push_back(c == U'1' ? '1' : '0');
        paint.push_back(std::move(marks));
    }
    return paint;
}

} // namespace

char32_t DecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    const char* point = std::localeconv()->decimal_point;
    const char32_t separator = point && point[0] == ',' ? U',' : U'.';
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

std::optional<VerseContext> LoadVerse(const Options& options, std::string& error) {
    auto lines = ReadTextLines(options.file, error);
    if (!lines) return std::nullopt;
    VerseContext context;
    context.lines = std::move(*lines);
    context.analysis = AnalyseVerse(context.lines, DecimalSeparator(), options.stress);
    context.metre.templates = context.analysis.templates;
    context.metre.metre =
        static_cast<Metre>(options.metre.value_or(context.analysis.metre.value_or(kTrochee)));

    if (context.metre.metre == kManualMetre) {
        if (!options.ictusFile.empty()) {
            auto digits = ReadTextLines(options.ictusFile, error);
            if (!digits) return std::nullopt;
            context.paint = PaintFromDigits(*digits);
        }
        context.metre.templates[kManualMetre] = ReadManualIctuses(context.lines, context.paint);
    } else {
        context.paint = ColourIctuses(context.lines, context.metre.templates, context.metre.metre);
    }
    return context;
}

std::vector<LineRhyme> VerseRhymes(const VerseContext& context) {
    std::vector<std::string> stress = context.analysis.stress;
    if (context.metre.metre == kManualMetre)
        stress = HandPlacedStress(context.lines, std::move(stress), context.paint);
    return FindRhymes(context.lines, stress);
}

} // namespace kvat::cli
