// The line's rhythm is the cheapest of all placements on the grid, found by one pass over its
// syllables whose state is the place in the bar: a placement costs what it breaks (a stress
// off the beat, an unstressed vowel of a word on it, an upbeat longer than a foot, a last note
// off the beat) and what it stretches (a syllable longer or shorter than usual).

#include "melody/song_rhythm.h"

#include "midi/midi_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace kvat::song {
namespace {

constexpr int kSixteenth = kTicksPerQuarter / 4, kEighth = kTicksPerQuarter / 2;

// Units of a sixteenth note, so that a syllable is an eighth; in 3/4 it is a quarter.
//                       time     unit       foot bar beat least breath even  ternary
constexpr Grid kTwoFour{{2, 4}, kSixteenth, 4, 8, 4, 4, 2, true, false};
constexpr Grid kFourFour{{4, 4}, kSixteenth, 4, 16, 4, 4, 2, false, false};
constexpr Grid kThreeFour{{3, 4}, kEighth, 6, 6, 2, 4, 2, true, true};
constexpr Grid kSixEight{{6, 8}, kSixteenth, 6, 12, 6, 6, 2, true, true};

// Lines of more feet than these take the longer bar (binary) or the shorter syllable (ternary).
constexpr int kMostFeetInTwoFour = 4, kMostFeetInThreeFour = 3;

constexpr int kForbidden = std::numeric_limits<int>::max() / 4;
// Placements dearer than the best so far by more than a broken stress and then some are not
// followed further: they could only win back as much over the rest of the line in rare cases,
// and leaving them keeps a line's pass a few steps per syllable.
constexpr int kHopeless = 16;

// What a placement breaks.
constexpr int kStressOffBeat = 10;    // a word's stress, or its unstressed vowel on one
constexpr int kMonoOffBeat = 2;       // a stressed word of one vowel off the strong beats
constexpr int kAgainstTemplate = 1;   // a free syllable where the metre does not put it
constexpr int kBetweenSyllables = 1;  // a start between two syllables' places
constexpr int kStressBetween = 12;    // a stress there
constexpr int kFinalOffBeat = 10;     // a held note starting off the beat
constexpr int kLongUpbeat = 3;        // an upbeat holding a strong beat
constexpr int kHalfBarUpbeat = 1;     // … that is the middle of a long bar
constexpr int kFinalUnstressedOn = 1; // a line's last, unstressed vowel on a strong beat

struct Length {
    int units;
    int cost;         // for an unstressed syllable
    int stressedCost; // for a stressed one
    int ternaryStressedCost;
};

// The usual length first, so that ties keep it.
constexpr std::array<Length, 5> kLengths = {{
    {2, 0, 0, 0},
    {4, 3, 2, 1},
    {1, 2, kForbidden, kForbidden},
    {3, 3, 3, 3},
    {6, 5, 5, 5},
}};

int LengthCost(const Syllable& s, const Length& length, bool ternary) {
    if (!IsStressed(s.weight)) return length.cost;
    return ternary ? length.ternaryStressedCost : length.stressedCost;
}

int PlaceCost(const Syllable& s, bool final, int phase, const Grid& g) {
    const bool strong = phase % g.footUnits == 0;
    int cost = 0;
    if (phase % 2 != 0) cost += IsStressed(s.weight) ? kStressBetween : kBetweenSyllables;
    switch (s.weight) {
    case Weight::kWordStress:
        cost += strong ? 0 : kStressOffBeat;
        break;
    case Weight::kWordUnstressed:
        cost += strong ? (final ? kFinalUnstressedOn : kStressOffBeat) : 0;
        break;
    case Weight::kStressedMono:
        cost += strong ? 0 : kMonoOffBeat;
        break;
    case Weight::kFree:
        cost += strong != s.ictus ? kAgainstTemplate : 0;
        break;
    }
    if (final && phase % g.beatUnits != 0) cost += kFinalOffBeat;
    return cost;
}

// A line opening at `phase` has its first strong beat on the next bar line when its upbeat is
// shorter than a foot; a long bar may have it in its middle.
int OpeningCost(int phase, const Grid& g) {
    const int upbeat = (g.barUnits - phase) % g.barUnits;
    if (upbeat < g.footUnits) return 0;
    const int half = g.barUnits / 2;
    const bool halfBar =
        g.barUnits >= 4 * g.footUnits && phase <= half && half - phase < g.footUnits;
    return halfBar ? kHalfBarUpbeat : kLongUpbeat;
}

} // namespace

Grid ChooseGrid(bool ternary, int feet) {
    if (ternary) return feet <= kMostFeetInThreeFour ? kThreeFour : kSixEight;
    return feet <= kMostFeetInTwoFour ? kTwoFour : kFourFour;
}

int LinePlacer::Kind(const Syllable& s, bool final) {
    return static_cast<int>(s.weight) * 4 + s.ictus * 2 + final;
}

LinePlacer::LinePlacer(const Grid& grid) : grid_(grid) {
    for (int weight = 0; weight < 4; ++weight)
        for (const bool ictus : {false, true})
            for (const bool final : {false, true}) {
                const Syllable s{static_cast<Weight>(weight), ictus, 0};
                auto& row = place_[static_cast<std::size_t>(Kind(s, final))];
                for (int phase = 0; phase < grid.barUnits; ++phase)
                    row[static_cast<std::size_t>(phase)] = PlaceCost(s, final, phase, grid);
            }
}

LineRhythm LinePlacer::Place(const SyllableLine& line) const {
    const Grid& g = grid_;
    const std::size_t n = line.size();
    const auto phases = static_cast<std::size_t>(g.barUnits);
    std::array<int, kMostPhases> cost, next;
    // Per syllable and phase: the phase before it times the length count, plus the length.
    std::vector<std::uint8_t> from(n * phases);
    auto placeOf = [&](std::size_t i) -> const std::array<int, kMostPhases>& {
        return place_[static_cast<std::size_t>(Kind(line[i], i + 1 == n))];
    };

    for (std::size_t phase = 0; phase < phases; ++phase)
        cost[phase] = placeOf(0)[phase] + OpeningCost(static_cast<int>(phase), g);
    for (std::size_t i = 1; i < n; ++i) {
        const auto& place = placeOf(i);
        std::array<int, kLengths.size()> lengthCost{};
        for (std::size_t k = 0; k < kLengths.size(); ++k)
            lengthCost[k] = LengthCost(line[i - 1], kLengths[k], g.ternary);
        std::fill(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(phases), kForbidden);
        const int cutoff =
            *std::min_element(cost.begin(), cost.begin() + static_cast<std::ptrdiff_t>(phases)) +
            kHopeless;
        for (std::size_t phase = 0; phase < phases; ++phase) {
            const int before = cost[phase];
            if (before > cutoff) continue;
            for (std::size_t k = 0; k < kLengths.size(); ++k) {
                if (lengthCost[k] >= kForbidden) continue;
                std::size_t to = phase + static_cast<std::size_t>(kLengths[k].units);
                if (to >= phases) to -= phases;
                const int total = before + lengthCost[k] + place[to];
                if (total < next[to]) {
                    next[to] = total;
                    from[i * phases + to] = static_cast<std::uint8_t>(phase * kLengths.size() + k);
                }
            }
        }
        cost = next;
    }

    std::size_t phase = 0;
    for (std::size_t p = 1; p < phases; ++p)
        if (cost[p] < cost[phase]) phase = p;
    LineRhythm rhythm;
    rhythm.starts.assign(n, 0);
    for (std::size_t i = n; i-- > 1;) {
        const std::size_t packed = from[i * phases + phase];
        rhythm.starts[i] = kLengths[packed % kLengths.size()].units;
        phase = packed / kLengths.size();
    }
    rhythm.startPhase = static_cast<int>(phase);
    for (std::size_t i = 1; i < n; ++i) rhythm.starts[i] += rhythm.starts[i - 1];
    return rhythm;
}

} // namespace kvat::song
