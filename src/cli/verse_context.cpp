#include "cli/verse_context.h"

#include "cli/input.h"

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

std::optional<VerseSetup> LoadVerse(const Options& options, char32_t decimalSeparator,
                                    std::string& error) {
    auto lines = ReadTextLines(options.file, error);
    if (!lines) return std::nullopt;
    MetreChoice choice{options.metre, {}};
    if (options.metre == kManualMetre && !options.ictusFile.empty()) {
        auto digits = ReadTextLines(options.ictusFile, error);
        if (!digits) return std::nullopt;
        choice.handPaint = PaintFromDigits(*digits);
    }
    return SetUpVerse(std::move(*lines), options.stress, choice, decimalSeparator);
}

} // namespace kvat::cli
