#include "verse/lyrics.h"

#include "text/strings.h"
#include "verse/letters.h"

#include <algorithm>

namespace kvat {
namespace {

std::u32string_view TrimEnd(std::u32string_view text) {
    while (!text.empty() && text.back() == U' ') text.remove_suffix(1);
    return text;
}

LyricSyllable SyllableOfRow(std::u32string_view row) {
    LyricSyllable syllable{TrimEnd(row), false};
    if (syllable.text.ends_with(U'-')) {
        syllable.goesOn = true;
        syllable.text = TrimEnd(syllable.text.substr(0, syllable.text.size() - 1));
    }
    while (!syllable.text.empty() && syllable.text.front() == U' ') syllable.text.remove_prefix(1);
    return syllable;
}

} // namespace

std::u32string VerseTitle(const Lines& lines) {
    for (const auto& line : lines)
        if (auto title = TrimSpaces(line); !title.empty()) return title;
    return {};
}

std::vector<std::optional<LyricSyllable>> TokenSyllables(std::span<const std::u32string_view> rows,
                                                         std::size_t tokens) {
    std::vector<std::optional<LyricSyllable>> syllables(tokens);
    std::size_t token = 0;
    for (std::u32string_view row : rows) {
        if (token >= tokens) break;
        if (TrimEnd(row) == U"_") {
            ++token; // the line end's rest
            continue;
        }
        const auto vowels = static_cast<std::size_t>(
            std::count_if(row.begin(), row.end(), [](char32_t c) { return IsVowel(ToLower(c)); }));
        if (vowels == 0) continue;
        syllables[token] = SyllableOfRow(row);
        token += vowels;
    }
    return syllables;
}

} // namespace kvat
