#include "verse/colouring.h"

#include "verse/letters.h"

namespace kvat {

VowelPaint ColourIctuses(const Lines& lines, const MetreTemplateList& templates, int metre) {
    VowelPaint paint(lines.size());
    if (metre < 0 || metre >= kMetreCount) return paint;
    std::string_view tpl(templates[metre]);
    // Walked vowel by vowel, the trochee starts on its first ictus.
    if (metre == kTrochee) tpl.remove_prefix(std::min<std::size_t>(2, tpl.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::size_t vowel = 0;
        for (char32_t c : lines[i]) {
            if (!IsVowel(ToLower(c))) continue;
            paint[i].push_back(vowel >= tpl.size() || tpl[vowel] == '1' ? '1' : '0');
            ++vowel;
        }
    }
    return paint;
}

std::vector<std::size_t> RedPositions(const Lines& lines, const VowelPaint& paint) {
    std::vector<std::size_t> positions;
    std::size_t position = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view marks = i < paint.size() ? std::string_view(paint[i]) : "";
        std::size_t vowel = 0;
        for (char32_t c : lines[i]) {
            if (IsVowel(ToLower(c))) {
                if (vowel < marks.size() && marks[vowel] == '1') positions.push_back(position);
                ++vowel;
            }
            ++position;
        }
        ++position; // the line break
    }
    return positions;
}

std::string ReadManualIctuses(const Lines& lines, const VowelPaint& paint) {
    std::string pattern;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) pattern += "\r\n\r\n";
        const std::string_view marks = i < paint.size() ? std::string_view(paint[i]) : "";
        std::size_t vowel = 0;
        for (char32_t c : lines[i]) {
            if (!IsVowel(ToLower(c))) continue;
            const char mark = vowel < marks.size() ? marks[vowel] : '0';
            if (mark == '0' || mark == '1') pattern.push_back(mark); // other colours add nothing
            ++vowel;
        }
    }
    return pattern + "\r\n";
}

std::vector<std::string> HandPlacedStress(const Lines& lines, std::vector<std::string> stress,
                                          const VowelPaint& paint) {
    for (std::size_t i = 0; i < lines.size() && i < paint.size() && i < stress.size(); ++i) {
        if (paint[i].find('1') == std::string::npos) continue;
        std::string placed;
        std::size_t vowel = 0;
        for (char32_t c : lines[i]) {
            c = ToLower(c);
            if (IsVowel(c)) {
                placed.push_back(vowel < paint[i].size() && paint[i][vowel] == '1' ? '1' : '0');
                ++vowel;
            } else if (c == U'1' || c == U'0' || c == U'7') {
                const std::size_t at = placed.size();
                placed.push_back(at < stress[i].size() ? stress[i][at] : c == U'1' ? '1' : '0');
            }
        }
        stress[i] = std::move(placed);
    }
    return stress;
}

} // namespace kvat
