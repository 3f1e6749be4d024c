#include "verse/metre.h"

#include "text/strings.h"

#include <algorithm>

namespace kvat {

MetreTemplateList BuildMetreTemplates() {
    MetreTemplateList templates;
    constexpr int kRepeats = 21;
    constexpr std::string_view kFeet[6] = {"10", "01", "010", "100", "001", "000"};
    for (int k = 0; k < 6; ++k)
        for (int i = 0; i < kRepeats; ++i) templates[k] += kFeet[k];
    // Scored as a whole the trochee starts with two unstressed positions; every walk that
    // consumes it vowel by vowel skips them again.
    templates[kTrochee].insert(0, "00");
    return templates;
}

std::vector<std::string> ManualLines(std::string_view pattern) {
    return Split(pattern, std::string_view("\r\n\r\n"));
}

double MatchFraction(std::string_view a, std::string_view b, std::size_t n) {
    if (a.empty() || b.empty() || n == 0) return 0.0;
    std::size_t matches = 0;
    const std::size_t common = std::min({a.size(), b.size(), n});
    for (std::size_t i = 0; i < common; ++i) matches += a[i] == b[i];
    return static_cast<double>(matches) / static_cast<double>(n);
}

} // namespace kvat
