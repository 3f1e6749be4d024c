#pragma once
// Small builders for the melody tests: a verse from one text, a metre state, the tokens.

#include "melody/melody.h"
#include "melody/verse_walk.h"
#include "text/strings.h"
#include "verse/metre.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvat::test {

using Tokens = std::vector<std::string>;

// Lines separated by "\n".
inline Lines Verse(std::u32string_view text) {
    return Split(text, std::u32string_view(U"\n"));
}

// With `handPieces`, the hand-placed pattern as the analysis writes it: the pieces joined by
// CR LF CR LF, then CR LF.
inline MetreState Metre(int index, const std::vector<std::string>& handPieces = {}) {
    MetreState metre{BuildMetreTemplates(), static_cast<kvat::Metre>(index)};
    if (index == kManualMetre)
        metre.templates[kManualMetre] = Join(handPieces, std::string_view("\r\n\r\n")) + "\r\n";
    return metre;
}

inline MelodySettings Method(int method, bool lengthen = false) {
    return {.method = static_cast<kvat::Method>(method), .lengthen = lengthen};
}

// The tokens of the melody; a test fails when there is none.
inline Tokens Melody(std::u32string_view verse, const MetreState& metre,
                     const MelodySettings& settings) {
    std::string why;
    const auto melody = GenerateMelody(Verse(verse), metre, settings, &why);
    EXPECT_TRUE(melody) << why;
    return melody ? MelodyTokens(melody->text) : Tokens{};
}

inline melody::LineTemplates Templates(const Lines& lines, const MetreState& metre) {
    std::string why;
    auto templates = melody::LineTemplates::Make(metre, lines.size(), why);
    EXPECT_TRUE(templates) << why;
    return templates.value();
}

} // namespace kvat::test
