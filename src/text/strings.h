#pragma once
// Small string tools shared by the core. All of them are single left-to-right walks.

#include <string>
#include <string_view>
#include <vector>

namespace kvat {

// The verse as the editor holds it: its lines, in order, without line breaks.
using Lines = std::vector<std::u32string>;

// Lower case for the alphabets a Russian verse may hold (ASCII, Latin-1, Cyrillic);
// other characters are returned as they are.
char32_t ToLower(char32_t c);
std::u32string ToLower(std::u32string_view text);

// Splits at every occurrence of the separator. An empty text gives no pieces at all, as the
// editor's text splitter did; a text ending with the separator gives a last, empty piece.
template <class Char>
std::vector<std::basic_string<Char>> Split(std::basic_string_view<Char> text,
                                           std::basic_string_view<Char> separator) {
    std::vector<std::basic_string<Char>> pieces;
    if (text.empty()) return pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        if (at == std::basic_string_view<Char>::npos) break;
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

// Replaces every occurrence, scanning left to right without overlap.
template <class Char>
std::basic_string<Char> ReplaceAll(std::basic_string_view<Char> text,
                                   std::basic_string_view<Char> from,
                                   std::basic_string_view<Char> to) {
    std::basic_string<Char> out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (;;) {
        const std::size_t at =
            from.empty() ? std::basic_string_view<Char>::npos : text.find(from, start);
        if (at == std::basic_string_view<Char>::npos) break;
        out.append(text.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

template <class Char>
std::basic_string<Char> Join(const std::vector<std::basic_string<Char>>& pieces,
                             std::basic_string_view<Char> separator) {
    std::basic_string<Char> out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i) out.append(separator);
        out.append(pieces[i]);
    }
    return out;
}

// The line structure of an editor text: split at CR LF.
inline Lines SplitLines(std::u32string_view text) {
    return Split(text, std::u32string_view(U"\r\n"));
}

// Removes leading and trailing spaces (only U+0020, as the text box's trim did).
std::u32string TrimSpaces(std::u32string_view text);

} // namespace kvat
