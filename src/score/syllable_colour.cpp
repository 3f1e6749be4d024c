#include "score/syllable_colour.h"

#include "text/strings.h"

namespace kvat {

std::optional<ColourValue> VowelColour(std::u32string_view syllable) {
    // One walk over the syllable marks which rows occur; the last row in table order wins.
    std::array<bool, kSoundColours.size()> found{};
    for (char32_t c : syllable) {
        const char32_t lower = ToLower(c);
        for (std::size_t row = 0; row < kSoundColours.size(); ++row)
            if (kSoundColours[row].letter == lower) found[row] = true;
    }
    for (std::size_t row = kSoundColours.size(); row-- > 0;)
        if (found[row]) return kSoundColours[row].colour;
    return std::nullopt;
}

std::u32string ColourText(ColourValue colour) {
    static constexpr char32_t kDigits[] = U"0123456789ABCDEF";
    std::u32string digits;
    do {
        digits.insert(digits.begin(), kDigits[colour & 0xF]);
        colour >>= 4;
    } while (colour != 0);
    return U"&H" + digits;
}

std::u32string ColourListText(const std::vector<ColourValue>& colours) {
    std::u32string text;
    for (ColourValue colour : colours) text += ColourText(colour) + U"\r\n";
    return text;
}

} // namespace kvat
