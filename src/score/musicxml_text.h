#pragma once
// Text as a MusicXML document may hold it, and the syllables the lyrics take from the divided
// text's rows.

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

struct LyricSyllable {
    std::u32string_view text; // as the score shows it, without the hyphen and the spaces
    bool goesOn = false;      // the word continues on the next note
};

// The syllable each of `tokens` melody tokens sings, from the divided text's rows: a row is the
// syllable, " -" where the word goes on, a space; a line ends with the row "_ ". The melody has a
// token for every vowel letter and a rest for every line end, so a row stands over as many tokens
// as it has vowels, the first of them singing it, and a line without vowels (a blank one) holds
// rows but no tokens. The lyrics so stay under their notes after such a line.
std::vector<std::optional<LyricSyllable>> TokenSyllables(std::span<const std::u32string_view> rows,
                                                         std::size_t tokens);

// Where a syllable stands in its word, from whether the one before went on.
constexpr Syllabic SyllabicOf(bool previousGoesOn, bool goesOn) {
    if (previousGoesOn) return goesOn ? Syllabic::kMiddle : Syllabic::kEnd;
    return goesOn ? Syllabic::kBegin : Syllabic::kSingle;
}

} // namespace kvat
