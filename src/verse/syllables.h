#pragma once
// Syllable division for the score, with the orthography check of every row.

#include "text/strings.h"

#include <string>
#include <vector>

namespace kvat {

inline constexpr std::u32string_view kOrthographyTitle = U"Ошибка в программе Kvat";

struct OrthographyMessage {
    enum Kind { kNoVowel, kManyVowels } kind;
    std::size_t row;       // index of the faulty row
    std::u32string text;   // the message as the user reads it
};

struct DividedText {
    // One row per syllable, each ending with a space; " -" before that space where the word goes
    // on; "_ " after each line; a last row of a single space. Row k belongs to melody token k.
    std::vector<std::u32string> rows;
    std::vector<OrthographyMessage> messages;
};

DividedText DivideSyllables(const Lines& lines);

// The rows as one text, each followed by CR LF.
std::u32string DividedTextString(const DividedText& divided);

} // namespace kvat
