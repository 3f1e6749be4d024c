#include "score/musicxml_text.h"

#include "text/utf8.h"

namespace kvat {
namespace {

constexpr bool AllowedInXml(char32_t c) {
    return c == U'\t' || c == U'\n' || c == U'\r' || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendEscaped(std::string& out, char c) {
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '\'':
        out += "&apos;";
        break;
    default:
        out += c;
    }
}

std::u32string_view TrimEnd(std::u32string_view text) {
    while (!text.empty() && text.back() == U' ') text.remove_suffix(1);
    return text;
}

} // namespace

void AppendXmlText(std::string& out, std::u32string_view text) {
    std::u32string allowed;
    allowed.reserve(text.size());
    for (char32_t c : text)
        if (AllowedInXml(c)) allowed.push_back(c);
    for (char c : EncodeUtf8(allowed)) AppendEscaped(out, c);
}

void AppendXmlText(std::string& out, std::string_view ascii) {
    for (char c : ascii)
        if (AllowedInXml(static_cast<unsigned char>(c))) AppendEscaped(out, c);
}

std::optional<LyricSyllable> SyllableOfRow(std::u32string_view row) {
    if (row.find(U'_') != std::u32string_view::npos) return std::nullopt;
    LyricSyllable syllable{TrimEnd(row), false};
    if (syllable.text.ends_with(U'-')) {
        syllable.goesOn = true;
        syllable.text = TrimEnd(syllable.text.substr(0, syllable.text.size() - 1));
    }
    while (!syllable.text.empty() && syllable.text.front() == U' ') syllable.text.remove_prefix(1);
    if (syllable.text.empty()) return std::nullopt;
    return syllable;
}

} // namespace kvat
