#pragma once
// Syllable division for the score, with the orthography check of every row.

#include "text/strings.h"

#include <string>
#include <vector>

namespace kvat {

inline constexpr std::u32string_view kOrthographyTitle = U"Ошибка в программе Kvat";

struct OrthographyMessage {
    enum Kind { kNoVowel, kManyVowels } kind;
    std::size_t row;     // index of the faulty row
    std::u32string text; // the message as the user reads it
};

// The divided text: one row per syllable, each ending with a space; " -" before that space
// where the word goes on; "_ " after each line; a last row of a single space. Row k belongs to
// melody token k. The rows live in one text, each followed by CR LF, which is also the divided
// text's own form.
class DividedText {
public:
    std::size_t RowCount() const { return starts_.size(); }
    // Row k without its CR LF.
    std::u32string_view Row(std::size_t k) const {
        const std::size_t end = k + 1 < starts_.size() ? starts_[k + 1] : text_.size();
        return std::u32string_view(text_).substr(starts_[k], end - 2 - starts_[k]);
    }
    const std::u32string& Text() const { return text_; }
    const std::vector<OrthographyMessage>& Messages() const { return messages_; }

private:
    friend class RowWriter;
    std::u32string text_;
    std::vector<std::size_t> starts_;
    std::vector<OrthographyMessage> messages_;
};

DividedText DivideSyllables(const Lines& lines);

} // namespace kvat
