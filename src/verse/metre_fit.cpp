#include "verse/metre_fit.h"

#include "verse/metre.h"

#include <array>

namespace kvat {
namespace {

// Where each metre puts its stresses, counted from the line's first vowel.
struct Feet {
    std::size_t length, strong;
};
constexpr std::array<Feet, kMetreCount> kFeet = {{{2, 0}, {2, 1}, {3, 1}, {3, 0}, {3, 2}}};

// The share of certain stresses a metre must hold to be taken as the poem's, and how many
// certain stresses there must be at all.
constexpr double kMetreShare = 0.8;
constexpr int kLeastCertain = 2;

bool IsStrong(int metre, std::size_t position) {
    return position % kFeet[metre].length == kFeet[metre].strong;
}

bool IsCertain(const PlacedWord& w) {
    return w.word.vowels.size() > 1 &&
           (w.stress.kind == StressKind::kFixed || w.stress.kind == StressKind::kCertain);
}

std::size_t PositionOf(const PlacedWord& w, int vowel) {
    return w.word.vowels[vowel - 1];
}

// The doubtful word's reading on a strong position: a source's first, else the nearest vowel.
int FittedReading(const PlacedWord& w, int metre) {
    for (int r : w.stress.readings)
        if (IsStrong(metre, PositionOf(w, r))) return r;
    return w.stress.readings.front();
}

int Chosen(const PlacedWord& w, std::optional<int> metre) {
    switch (w.stress.kind) {
    case StressKind::kClitic:
        return 0;
    case StressKind::kFixed:
    case StressKind::kStressed:
        return w.stress.readings.front();
    case StressKind::kMetrical:
        return !metre || IsStrong(*metre, PositionOf(w, 1)) ? 1 : 0;
    case StressKind::kCertain:
    case StressKind::kGuess:
        break;
    }
    if (w.stress.readings.empty()) return 0;
    const int first = w.stress.readings.front();
    if (!metre || IsStrong(*metre, PositionOf(w, first))) return first;
    return FittedReading(w, *metre);
}

} // namespace

std::optional<int> CertainMetre(const std::vector<PlacedLine>& lines) {
    std::array<int, kMetreCount> held{};
    int certain = 0;
    for (const auto& line : lines)
        for (const auto& w : line) {
            if (!IsCertain(w)) continue;
            ++certain;
            for (int m = 0; m < kMetreCount; ++m)
                held[m] += IsStrong(m, PositionOf(w, w.stress.readings.front()));
        }
    int best = 0;
    for (int m = 1; m < kMetreCount; ++m)
        if (held[m] > held[best]) best = m;
    if (certain < kLeastCertain || held[best] < kMetreShare * certain) return std::nullopt;
    return best;
}

void FitToMetre(std::vector<PlacedLine>& lines, std::optional<int> metre) {
    for (auto& line : lines)
        for (auto& w : line) w.chosen = Chosen(w, metre);
}

} // namespace kvat
