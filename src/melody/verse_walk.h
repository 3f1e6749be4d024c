#pragma once
// The walk all the methods share: line by line, character by character, every vowel letter a
// syllable, a space a word boundary, everything else passed over; and the ictus template each
// line is read against.

#include "text/strings.h"
#include "verse/letters.h"
#include "verse/metre.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvat::melody {

// The ictus template of every line for one metre state.
class LineTemplates {
public:
    // Nothing, with `why` set, for an unknown metre index or a hand-placed pattern with fewer
    // pieces than the verse has lines.
    static std::optional<LineTemplates> Make(const MetreState& metre, std::size_t lineCount,
                                             std::string& why);

    // The classical metres give every line the same template (the trochee from its third
    // character, so that a line starts on an ictus); by hand, line i has piece i of the
    // pattern. The last piece keeps the pattern's closing CR LF: two characters that are not
    // ictuses.
    std::string_view ForLine(std::size_t line) const {
        return byHand_ ? std::string_view(manual_[line]) : classic_;
    }

    Metre ChosenMetre() const { return metre_; }

private:
    Metre metre_ = kTrochee;
    bool byHand_ = false;
    std::string_view classic_;
    std::vector<std::string> manual_;
};

// Reads a line's template one character per vowel; once it is used up every vowel is an ictus.
class IctusCursor {
public:
    explicit IctusCursor(std::string_view lineTemplate) : rest_(lineTemplate) {}
    bool Next() {
        if (rest_.empty()) return true;
        const bool ictus = rest_.front() == '1';
        rest_.remove_prefix(1);
        return ictus;
    }

private:
    std::string_view rest_;
};

// Drives a walker through the verse: StartLine(i), then Space() or Vowel(lower, ictus) for the
// characters that matter, then EndLine().
template <class Walker>
void WalkVerse(const Lines& lines, const LineTemplates& templates, Walker& walker) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        IctusCursor cursor(templates.ForLine(i));
        walker.StartLine(i);
        for (const char32_t c : lines[i]) {
            const char32_t lower = ToLower(c);
            if (lower == U' ')
                walker.Space();
            else if (IsVowel(lower))
                walker.Vowel(lower, cursor.Next());
        }
        walker.EndLine();
    }
}

// Position of a vowel in "аеёиоуыэюя", the order of the per-vowel note lists.
inline std::size_t VowelIndex(char32_t lower) {
    return kVowels.find(lower);
}

std::size_t VowelCount(std::u32string_view line);

// One token per vowel and one per line end: what every method's token list holds.
std::size_t TokenCount(const Lines& lines);

// A syllable's move in scale steps, as the interval text writes it: up before the word's first
// ictus (the ictus included), down after it; one step for the hard row, two for the soft, less
// one when falling: "1", "2", "-2", "-1".
std::string_view SyllableIntervalText(bool falling, char32_t lowerVowel);

} // namespace kvat::melody
