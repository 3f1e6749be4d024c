#include "verse/report.h"

#include "kvat_version.h"
#include "text/strings.h"
#include "verse/rhyme_scheme.h"

namespace kvat {
namespace {

// The stanzas' schemes, numbered, each with its name where it has one; nothing for a verse
// without a word to rhyme.
std::u32string RhymeSection(const std::vector<LineRhyme>& rhymes) {
    const std::vector<StanzaScheme> schemes = StanzaSchemes(rhymes);
    if (schemes.empty()) return {};
    std::u32string section = U"\r\n\r\nРифмовка по строфам:\r\n\r\n";
    for (std::size_t i = 0; i < schemes.size(); ++i) {
        for (char c : std::to_string(i + 1)) section += static_cast<char32_t>(c);
        section += U". " + schemes[i].scheme;
        if (!schemes[i].name.empty()) section += U" (" + std::u32string(schemes[i].name) + U")";
        section += U"\r\n";
    }
    return section + U"\r\nгде, а - мужская рифма, А - женская, А′ - дактилическая, А″ - "
                     U"гипердактилическая, х - строка без рифмы.";
}

} // namespace

std::u32string VerseReport(std::string_view pattern, const std::vector<LineRhyme>& rhymes) {
    std::u32string report = U"Kvat-" + std::u32string(kVersionText) +
                            U": О стихотворении\r\n\r\nСтруктура стихотворения:\r\n\r\n";
    // The pattern ends with a line break, so an empty line comes before the legend.
    for (const auto& piece : Split(pattern, std::string_view("\r\n\r\n"))) {
        report.append(piece.begin(), piece.end());
        report += U"\r\n";
    }
    return report + U"где, 1 - ударная гласная, 0 - безударная гласная." + RhymeSection(rhymes);
}

} // namespace kvat
