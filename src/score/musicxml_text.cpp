#include "score/musicxml_text.h"

#include "text/utf8.h"

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

} // namespace kvat
