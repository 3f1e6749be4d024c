#include "text/strings.h"

namespace kvat {

char32_t ToLower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c < 0xC0) return c;
    if (c <= 0xDE && c != 0xD7) return c + 0x20;   // Latin-1 capitals
    if (c >= 0x410 && c <= 0x42F) return c + 0x20; // А … Я
    if (c >= 0x400 && c <= 0x40F) return c + 0x50; // Ѐ … Џ, Ё among them
    return c;
}

std::u32string ToLower(std::u32string_view text) {
    std::u32string out(text);
    for (char32_t& c : out) c = ToLower(c);
    return out;
}

std::u32string TrimSpaces(std::u32string_view text) {
    const std::size_t first = text.find_first_not_of(U' ');
    if (first == std::u32string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(U' ');
    return std::u32string(text.substr(first, last - first + 1));
}

} // namespace kvat
