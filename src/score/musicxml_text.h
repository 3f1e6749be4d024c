#pragma once
// Text as a MusicXML document may hold it, and where a lyric syllable stands in its word.

#include "verse/lyrics.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

// Appends `text` with the five markup characters escaped. Characters XML forbids (controls,
// unpaired surrogates, U+FFFE, U+FFFF) are left out, so no input can make the document unreadable.
void AppendXmlText(std::string& out, std::u32string_view text);
void AppendXmlText(std::string& out, std::string_view ascii);

enum class Syllabic { kSingle, kBegin, kMiddle, kEnd };

// Where a syllable stands in its word, from whether the one before went on.
constexpr Syllabic SyllabicOf(bool previousGoesOn, bool goesOn) {
    if (previousGoesOn) return goesOn ? Syllabic::kMiddle : Syllabic::kEnd;
    return goesOn ? Syllabic::kBegin : Syllabic::kSingle;
}

} // namespace kvat
