#pragma once
// The sound–colour of a syllable, given by its vowels, and the colour list the score leaves
// behind for the playback lamp.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

// Colours are 0xBBGGRR: red in the low byte.
using ColourValue = std::uint32_t;

struct SoundColour {
    char32_t letter;
    ColourValue colour;
};

// Tested in this order; a later row found in the syllable wins over an earlier one. "_" marks the
// line-end row of the divided text.
inline constexpr std::array<SoundColour, 11> kSoundColours = {{
    {U'а', 0x0000FF},
    {U'е', 0x00C000},
    {U'ё', 0x00FF00},
    {U'и', 0xFF0000},
    {U'о', 0x00CFFF},
    {U'у', 0xC0C000},
    {U'ы', 0x0040C0},
    {U'э', 0xFFFF00},
    {U'ю', 0xFF8080},
    {U'я', 0x8080FF},
    {U'_', 0xFFFFFF},
}};

// The colour of a syllable row (any case); nothing when it holds none of the table's letters.
std::optional<ColourValue> VowelColour(std::u32string_view syllable);

// "&H" and the value in upper-case hexadecimal without leading zeros: 0x00C000 → "&HC000".
std::u32string ColourText(ColourValue colour);

// The colour list as text: one ColourText line per drawn syllable, each ending with CR LF.
std::u32string ColourListText(const std::vector<ColourValue>& colours);

} // namespace kvat
