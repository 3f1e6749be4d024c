#include "melody/verse_walk.h"

namespace kvat::melody {
namespace {

// [falling][soft]
constexpr std::string_view kIntervalTexts[2][2] = {{"1", "2"}, {"-2", "-1"}};

} // namespace

std::optional<LineTemplates> LineTemplates::Make(const MetreState& metre, std::size_t lineCount,
                                                 std::string& why) {
    if (metre.metre < kTrochee || metre.metre > kManualMetre) {
        why = "metre index " + std::to_string(static_cast<int>(metre.metre)) + " is not 0..5";
        return std::nullopt;
    }
    LineTemplates templates;
    templates.metre_ = metre.metre;
    const std::string& chosen = metre.templates[static_cast<std::size_t>(metre.metre)];
    if (metre.metre != kManualMetre) {
        templates.classic_ = chosen;
        if (metre.metre == kTrochee)
            templates.classic_.remove_prefix(std::min<std::size_t>(2, chosen.size()));
        return templates;
    }
    templates.byHand_ = true;
    templates.manual_ = ManualLines(chosen);
    if (templates.manual_.size() < lineCount) {
        why = "the hand-placed ictuses cover " + std::to_string(templates.manual_.size()) +
              " of the verse's " + std::to_string(lineCount) + " lines";
        return std::nullopt;
    }
    return templates;
}

std::size_t VowelCount(std::u32string_view line) {
    std::size_t count = 0;
    for (const char32_t c : line) count += IsVowel(ToLower(c));
    return count;
}

std::size_t TokenCount(const Lines& lines) {
    std::size_t count = lines.size();
    for (const auto& line : lines) count += VowelCount(line);
    return count;
}

std::string_view SyllableIntervalText(bool falling, char32_t lowerVowel) {
    return kIntervalTexts[falling][IsSoftVowel(lowerVowel)];
}

} // namespace kvat::melody
