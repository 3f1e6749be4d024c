#pragma once
// Text as a MusicXML document may hold it, and the syllables the lyrics take from the divided
// text's rows.

#include <optional>
#include <string>
#include <string_view>

namespace kvat {

// Appends `text` with the five markup characters escaped. Characters XML forbids (controls,
// unpaired surrogates, U+FFFE, U+FFFF) are left out, so no input can make the document unreadable.
void AppendXmlText(std::string& out, std::u32string_view text);
void AppendXmlText(std::string& out, std::string_view ascii);

enum class Syllabic { kSingle, kBegin, kMiddle, kEnd };

struct LyricSyllable {
    std::u32string_view text; // as the score shows it, without the hyphen and the spaces
    bool goesOn = false;      // the word continues on the next note
};

// A row as the score shows it: the syllable, " -" where the word goes on, a space. A line end's
// row (it holds "_") and a blank row have no syllable.
std::optional<LyricSyllable> SyllableOfRow(std::u32string_view row);

// Where a syllable stands in its word, from whether the one before went on.
constexpr Syllabic SyllabicOf(bool previousGoesOn, bool goesOn) {
    if (previousGoesOn) return goesOn ? Syllabic::kMiddle : Syllabic::kEnd;
    return goesOn ? Syllabic::kBegin : Syllabic::kSingle;
}

} // namespace kvat
