#include "piece/layout_json.h"

#include "piece/json.h"

#include <array>
#include <string>
#include <string_view>

namespace kvat {
namespace {

constexpr std::array<std::string_view, 14> kRoleNames = {
    "staff",     "tempo-term",      "tempo-note", "tempo-value", "dynamics", "clef",
    "numerator", "denominator",     "note",       "rest",        "ledger",   "accent",
    "syllable",  "staff-extension",
};

void WriteLine(std::ostream& out, std::string_view role, ColourValue colour, float x, float y,
               float x2, float y2) {
    out << "{\"kind\": \"line\", \"role\": \"" << role << "\", \"colour\": " << colour
        << ", \"x\": " << JsonNumber(x) << ", \"y\": " << JsonNumber(y)
        << ", \"x2\": " << JsonNumber(x2) << ", \"y2\": " << JsonNumber(y2) << '}';
}

void WriteText(std::ostream& out, std::string_view role, const ScoreItem& item,
               std::u32string_view text) {
    out << "{\"kind\": \"text\", \"role\": \"" << role << "\", \"colour\": " << item.colour
        << ", \"x\": " << JsonNumber(item.x) << ", \"y\": " << JsonNumber(item.y)
        << ", \"font\": " << JsonString(FontFamily(item.font))
        << ", \"size\": " << JsonNumber(item.size)
        << ", \"italic\": " << (item.italic ? "true" : "false")
        << ", \"bold\": " << (item.bold ? "true" : "false");
    if (item.font == ScoreFont::kSymbols) {
        // The symbol font's characters are glyph codes, not letters.
        out << ", \"glyphs\": [";
        for (std::size_t k = 0; k < text.size(); ++k)
            out << (k ? ", " : "") << static_cast<std::uint32_t>(text[k]);
        out << "]}";
    } else {
        out << ", \"text\": " << JsonString(text) << '}';
    }
}

// A staff item is written as the five lines it stands for, bottom line first.
void WriteItem(std::ostream& out, const ScoreLayout& layout, const ScoreItem& item, bool& first) {
    const std::string_view role = kRoleNames[static_cast<std::size_t>(item.role)];
    const auto next = [&] {
        out << (first ? "\n  " : ",\n  ");
        first = false;
    };
    switch (item.kind) {
    case ItemKind::kText:
        next();
        WriteText(out, role, item, layout.Text(item));
        break;
    case ItemKind::kLine:
        next();
        WriteLine(out, role, item.colour, item.x, item.y, item.x2, item.y2);
        break;
    case ItemKind::kStaff:
        for (int k = 0; k < kStaffLineCount; ++k) {
            next();
            const float y = StaffLineY(item, k);
            WriteLine(out, role, item.colour, item.x, y, item.x2, y);
        }
        break;
    }
}

} // namespace

void WriteLayoutJson(std::ostream& out, const ScoreLayout& layout) {
    out << "{\"canvas\": {\"width\": " << JsonNumber(layout.canvasWidth)
        << ", \"height\": " << JsonNumber(layout.canvasHeight) << "},\n"
        << " \"scrollMaximum\": " << layout.scrollMaximum << ",\n \"colours\": [";
    for (std::size_t k = 0; k < layout.colours.size(); ++k)
        out << (k ? ", " : "") << JsonString(ColourText(layout.colours[k]));
    out << "],\n \"items\": [";
    bool first = true;
    for (const ScoreItem& item : layout.items) WriteItem(out, layout, item, first);
    out << "\n ]}\n";
}

} // namespace kvat
