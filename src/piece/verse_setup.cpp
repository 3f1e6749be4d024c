#include "piece/verse_setup.h"

namespace kvat {

VerseSetup SetUpVerse(Lines lines, StressMode mode, const MetreChoice& choice,
                      char32_t decimalSeparator) {
    VerseSetup verse;
    verse.lines = std::move(lines);
    verse.analysis = AnalyseVerse(verse.lines, decimalSeparator, mode);
    verse.metre.templates = verse.analysis.templates;
    const bool given = choice.metre && *choice.metre >= kTrochee && *choice.metre <= kManualMetre;
    verse.metre.metre =
        static_cast<Metre>(given ? *choice.metre : verse.analysis.metre.value_or(kTrochee));
    if (verse.metre.metre == kManualMetre) {
        verse.paint = choice.handPaint;
        verse.metre.templates[kManualMetre] = ReadManualIctuses(verse.lines, verse.paint);
    } else {
        verse.paint = ColourIctuses(verse.lines, verse.metre.templates, verse.metre.metre);
    }
    return verse;
}

std::vector<std::string> VerseStress(const VerseSetup& verse) {
    if (verse.metre.metre != kManualMetre) return verse.analysis.stress;
    return HandPlacedStress(verse.lines, verse.analysis.stress, verse.paint);
}

std::vector<LineRhyme> VerseRhymes(const VerseSetup& verse) {
    return FindRhymes(verse.lines, VerseStress(verse));
}

} // namespace kvat
