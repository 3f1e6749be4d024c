#include "verse/report.h"

#include "kvat_version.h"
#include "text/strings.h"

namespace kvat {

std::u32string VerseReport(std::string_view pattern) {
    std::u32string report = U"Kvat-" + std::u32string(kVersionText) +
                            U": О стихотворении\r\n\r\nСтруктура стихотворения:\r\n\r\n";
    // The pattern ends with a line break, so an empty line comes before the legend.
    for (const auto& piece : Split(pattern, std::string_view("\r\n\r\n"))) {
        report.append(piece.begin(), piece.end());
        report += U"\r\n";
    }
    return report + U"где, 1 - ударная гласная, 0 - безударная гласная.";
}

} // namespace kvat
