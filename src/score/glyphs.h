#pragma once
// The score's fonts and the symbol font's glyphs by name. Drawing code names a glyph; only this
// table knows its code.

#include <array>
#include <string_view>

namespace kvat {

enum class Glyph {
    kTrebleClef,
    kHalfNoteUp,
    kHalfNoteDown,
    kQuarterNoteUp,
    kQuarterNoteDown,
    kEighthNoteUp,
    kEighthNoteDown,
    kQuarterRest,
    kSharp,
    kDigitZero, // the digits 1 … 9 follow it
};

struct GlyphCode {
    Glyph glyph;
    char32_t code;
};

inline constexpr std::array<GlyphCode, 10> kGlyphCodes = {{
    {Glyph::kTrebleClef, 36},
    {Glyph::kHalfNoteUp, 46},
    {Glyph::kHalfNoteDown, 40},
    {Glyph::kQuarterNoteUp, 58},
    {Glyph::kQuarterNoteDown, 41},
    {Glyph::kEighthNoteUp, 59},
    {Glyph::kEighthNoteDown, 42},
    {Glyph::kQuarterRest, 77},
    {Glyph::kSharp, 100},
    {Glyph::kDigitZero, 48},
}};

constexpr char32_t GlyphCodeOf(Glyph glyph) {
    for (const auto& entry : kGlyphCodes)
        if (entry.glyph == glyph) return entry.code;
    return 0;
}

// The code of a digit 0 … 9 in the symbol font.
constexpr char32_t DigitGlyph(int digit) {
    return GlyphCodeOf(Glyph::kDigitZero) + digit;
}

enum class ScoreFont : unsigned char { kText, kSymbols };

inline constexpr std::string_view kTextFontFamily = "Times New Roman";
inline constexpr std::string_view kSymbolFontFamily = "Kvat Symbols";

constexpr std::string_view FontFamily(ScoreFont font) {
    return font == ScoreFont::kSymbols ? kSymbolFontFamily : kTextFontFamily;
}

} // namespace kvat
