#include "verse/metre_fit.h"

#include "verse/metre.h"

#include <algorithm>
#include <array>

namespace kvat {
namespace {

// Where each metre puts its stresses, counted from the line's first vowel, in the order of
// `Metre`. Unlike the scoring templates, the trochee starts on the line's first vowel: that is
// where its verse puts the stress.
struct Feet {
    std::size_t length, strong;
};
constexpr std::array<Feet, kMetreCount> kFeet = {{{2, 0}, {2, 1}, {3, 1}, {3, 0}, {3, 2}}};

// The share of the certain stresses a metre must hold to be taken as the poem's, and how many
// certain stresses it takes to tell at all. Lower shares let doubtful words follow a metre
// the poem does not keep; higher ones leave them to espeak-ng in verse that keeps it loosely.
constexpr double kMetreShare = 0.7;
constexpr int kLeastCertain = 2;

bool IsStrong(int metre, std::size_t position) {
    return position % kFeet[metre].length == kFeet[metre].strong;
}

std::size_t PositionOf(const PlacedWord& w, int vowel) {
    return w.word.vowels[vowel - 1];
}

bool IsCertain(const PlacedWord& w) {
    return w.word.vowels.size() > 1 &&
           (w.stress->kind == StressKind::kFixed || w.stress->kind == StressKind::kCertain);
}

// A word off the metre's strong positions: the first reading a source proposed that is on one,
// else the nearest vowel that is, a later one first: in marked verse the true stress follows a
// misplaced one more often than it precedes it.
int FittedReading(const PlacedWord& w, int metre) {
    for (int r : w.stress->readings)
        if (IsStrong(metre, PositionOf(w, r))) return r;
    const int first = w.stress->readings.front();
    const int vowels = static_cast<int>(w.word.vowels.size());
    for (int d = 1; d < vowels; ++d)
        for (int r : {first + d, first - d})
            if (r >= 1 && r <= vowels && IsStrong(metre, PositionOf(w, r))) return r;
    return first;
}

// Of a homograph's readings that fit the metre, the later: verse favours the stressed ending
// (облака, берегу) where the prose reading would also fit.
int HomographReading(const PlacedWord& w, int metre) {
    int fitting = 0;
    for (std::size_t i = 0; i < w.stress->lexicon; ++i)
        if (IsStrong(metre, PositionOf(w, w.stress->readings[i])))
            fitting = std::max(fitting, w.stress->readings[i]);
    return fitting ? fitting : FittedReading(w, metre);
}

int Chosen(const PlacedWord& w, std::optional<int> metre) {
    const auto& readings = w.stress->readings;
    if (readings.empty()) return 0;
    const int first = readings.front();
    const bool fits = !metre || IsStrong(*metre, PositionOf(w, first));
    switch (w.stress->kind) {
    case StressKind::kClitic:
        return 0;
    case StressKind::kFixed:
    case StressKind::kStressed:
        return first;
    case StressKind::kMetrical:
        return fits ? first : 0;
    case StressKind::kCertain:
        return fits ? first : FittedReading(w, *metre);
    case StressKind::kGuess:
        break;
    }
    if (metre && w.stress->lexicon > 1) return HomographReading(w, *metre);
    return fits ? first : FittedReading(w, *metre);
}

} // namespace

std::optional<int> CertainMetre(const std::vector<PlacedLine>& lines) {
    std::array<int, kMetreCount> held{};
    int certain = 0;
    for (const auto& line : lines)
        for (const auto& w : line) {
            if (!IsCertain(w)) continue;
            ++certain;
            const std::size_t position = PositionOf(w, w.stress->readings.front());
            for (int m = 0; m < kMetreCount; ++m) held[m] += IsStrong(m, position);
        }
    // Of equal fits the first wins: the binary metres, which verse keeps more loosely.
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
