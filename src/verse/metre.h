#pragma once
// The metre state the analysis hands to the melody methods: the six ictus templates and the
// chosen metre.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

enum Metre : int { kTrochee = 0, kIamb, kAmphibrach, kDactyl, kAnapaest, kManualMetre };
inline constexpr int kMetreCount = 5; // the classical metres, without the hand-placed pattern

// Index 0..4: the classical metres; index 5: the hand-placed pattern (one '0'/'1' per vowel of
// each line, lines separated by CR LF CR LF, the whole ending with CR LF).
using MetreTemplateList = std::array<std::string, 6>;

struct MetreState {
    MetreTemplateList templates;
    Metre metre = kTrochee; // kManualMetre: the hand-placed pattern, templates[5]
};

// Entries 0..4 as every analysis builds them; entry 5 all "0" (21 × "000").
MetreTemplateList BuildMetreTemplates();

// The hand-placed pattern split at CR LF CR LF: element i belongs to editor line i.
std::vector<std::string> ManualLines(std::string_view pattern);

// The fraction of the first n positions at which a and b hold the same character; a position
// past the end of either string is a mismatch. 0 when either string is empty.
double MatchFraction(std::string_view a, std::string_view b, std::size_t n);

} // namespace kvat
