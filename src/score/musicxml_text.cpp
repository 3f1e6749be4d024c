#include "score/musicxml_text.h"

#include "text/strings.h"
#include "text/utf8.h"
#include "verse/letters.h"

#include <algorithm>
#include <array>

namespace kvat {
namespace {

constexpr bool AllowedInXml(char32_t c) {
    return c == U'\t' || c == U'\n' || c == U'\r' || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

struct Entity {
    char character;
    std::string_view text;
};

constexpr std::array<Entity, 5> kEntities = {{
    {'&', "&amp;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
    {'"', "&quot;"},
    {'\'', "&apos;"},
}};

void AppendEscaped(std::string& out, char c) {
    for (const Entity& entity : kEntities)
        if (entity.character == c) {
            out += entity.text;
            return;
        }
    out += c;
}

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
            std::ranges::count_if(row, [](char32_t c) { return IsVowel(ToLower(c)); }));
        if (vowels == 0) continue;
        syllables[token] = SyllableOfRow(row);
        token += vowels;
    }
    return syllables;
}

} // namespace kvat
