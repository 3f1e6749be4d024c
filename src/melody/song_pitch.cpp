#include "melody/song_pitch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace kvat::song {
namespace {

constexpr int kForbidden = std::numeric_limits<int>::max() / 4;

// The cost of a move by its size in semitones, a step the cheapest; a tritone and anything
// past a major sixth are not sung.
constexpr std::array<int, 10> kMoveCost = {6, 0, 0, 2, 2, 6, kForbidden, 8, 12, 12};
constexpr int kLeapSemitones = 5;   // a fourth or more must be resolved
constexpr int kUnresolvedLeap = 12; // by a step back
constexpr int kTurn = 2;            // a step back after a step: the line wavers
constexpr int kPassingOffChord = 1; // an unaccented note outside its bar's chord, by step
constexpr int kLeapToOffChord = 4;  // … reached by a leap
constexpr int kStressBelow = 5;     // a stressed vowel lower than a neighbour in its word
constexpr int kFigureBroken = 40;   // a rhyme's figure not kept
// Walks dearer than the best so far by more than this are not followed further.
constexpr int kHopeless = 24;

// How the melody last moved: a leap wants a step back, a step wants to go on.
enum Motion { kStill, kStepUp, kStepDown, kLeapUp, kLeapDown, kMotions };
constexpr int kStates = kStepCount * kMotions;
// What a move may be, as far as the motion before it cares.
enum MoveKind { kUpByStep, kDownByStep, kOtherMove, kMoveKinds };

int Sign(int v) {
    return (v > 0) - (v < 0);
}

using Move = Palette::Move;

// What a move costs after the melody's last motion: a leap must be answered by a step back,
// and a step back after a step makes the line waver.
constexpr std::array<std::array<int, kMoveKinds>, kMotions> kAfterMotion = {{
    {0, 0, 0},                             // still
    {0, kTurn, 0},                         // after a step up
    {kTurn, 0, 0},                         // after a step down
    {kUnresolvedLeap, 0, kUnresolvedLeap}, // after a leap up
    {0, kUnresolvedLeap, kUnresolvedLeap}, // after a leap down
}};

// What a note costs on its own: its distance from the contour, and for one outside its bar's
// chord a little, or everything when it is accented.
int NoteCost(const NoteSlot& slot, int step, bool inChord) {
    const int cost = std::abs(2 * step - slot.target);
    if (inChord) return cost;
    return slot.accented ? kForbidden : cost + kPassingOffChord;
}

// What a move between neighbours in the phrase costs beyond its size: a stressed vowel must not
// be passed upwards within its word, and a note off the chord is reached by step.
struct PairRule {
    bool stressBefore = false, stressAfter = false; // in the same word

    PairRule(const NoteSlot& a, const NoteSlot& b)
        : stressBefore(a.word == b.word && a.weight == Weight::kWordStress),
          stressAfter(a.word == b.word && b.weight == Weight::kWordStress) {}

    int Cost(int keyA, int keyB, bool offChord, int size) const {
        int cost = offChord && size > 2 ? kLeapToOffChord : 0;
        if (stressBefore && keyB > keyA) cost += kStressBelow;
        if (stressAfter && keyA > keyB) cost += kStressBelow;
        return cost;
    }
};

} // namespace

Move Palette::Between(int fromKey, int toKey, int fromStep, int toStep) {
    Move m;
    const int semitones = toKey - fromKey;
    m.size = std::abs(semitones);
    m.sign = Sign(semitones);
    m.cost = kForbidden;
    // Adjacent steps a minor third apart: the augmented second of the raised leading tone.
    if (m.size >= static_cast<int>(kMoveCost.size()) ||
        (std::abs(toStep - fromStep) == 1 && m.size == 3))
        return m;
    m.cost = kMoveCost[static_cast<std::size_t>(m.size)];
    m.motion = m.size == 0                ? kStill
               : m.size >= kLeapSemitones ? (m.sign > 0 ? kLeapUp : kLeapDown)
                                          : (m.sign > 0 ? kStepUp : kStepDown);
    m.kind = m.size < 1 || m.size > 2 ? kOtherMove : m.sign > 0 ? kUpByStep : kDownByStep;
    return m;
}

Palette::Palette(const Key& key) {
    constexpr std::array<ChordDegree, 2> kChords = {ChordDegree::kTonic, ChordDegree::kDominant};
    for (std::size_t d = 0; d < 2; ++d)
        for (int s = 0; s < kStepCount; ++s)
            keys_[d][static_cast<std::size_t>(s)] = key.MidiKey(s + kLowestStep, kChords[d]);
    for (std::size_t c = 0; c < tones_.size(); ++c)
        for (int s = 0; s < kStepCount; ++s)
            tones_[c][static_cast<std::size_t>(s)] =
                IsChordTone(s + kLowestStep, static_cast<ChordDegree>(c));
    for (std::size_t from = 0; from < 2; ++from)
        for (std::size_t to = 0; to < 2; ++to)
            for (int a = 0; a < kStepCount; ++a)
                for (int b = 0; b < kStepCount; ++b)
                    moves_[from][to][static_cast<std::size_t>(a * kStepCount + b)] =
                        Between(keys_[from][static_cast<std::size_t>(a)],
                                keys_[to][static_cast<std::size_t>(b)], a, b);
}

std::vector<SungNote> SingPhrase(std::span<const NoteSlot> notes, const PhraseAim& aim,
                                 const Palette& palette, std::optional<SungNote> previous) {
    const std::size_t n = notes.size();
    std::array<int, kStates> cost, next;
    cost.fill(kForbidden);
    std::vector<std::uint8_t> from(n * kStates);
    // Per step of the note in hand and of the one before: their keys, and what each costs alone.
    std::array<int, kStepCount> keys{}, keysBefore{}, alone{};
    std::array<bool, kStepCount> offChord{};
    auto weigh = [&](std::size_t i) {
        keysBefore = keys;
        for (int b = 0; b < kStepCount; ++b) {
            const auto at = static_cast<std::size_t>(b);
            keys[at] = palette.KeyOf(b + kLowestStep, notes[i].chord);
            offChord[at] = !palette.InChord(b + kLowestStep, notes[i].chord);
            const bool allowed = i + 1 < n || aim.finalSteps[at];
            alone[at] = allowed ? NoteCost(notes[i], b + kLowestStep, !offChord[at]) : kForbidden;
        }
    };

    weigh(0);
    for (int b = 0; b < kStepCount; ++b) {
        int c = alone[static_cast<std::size_t>(b)];
        int motion = kStill;
        if (previous) {
            const Move m = Palette::Between(previous->key, keys[static_cast<std::size_t>(b)],
                                            previous->step, b + kLowestStep);
            c += m.cost;
            motion = m.motion;
        }
        auto& entry = cost[static_cast<std::size_t>(b * kMotions + motion)];
        entry = std::min(entry, c);
    }
    for (std::size_t i = 1; i < n; ++i) {
        weigh(i);
        // The rhyme's figure binds the moves into the last two notes.
        const bool bound = aim.figure && n >= 3 && i + 2 >= n;
        const int sign = bound ? (*aim.figure)[i + 2 - n] : 0;
        const PairRule rule(notes[i - 1], notes[i]);
        next.fill(kForbidden);
        const int cutoff = *std::min_element(cost.begin(), cost.end()) + kHopeless;
        for (int a = 0; a < kStepCount; ++a) {
            // The cheapest way into this step for each kind of move out of it.
            std::array<int, kMoveKinds> best;
            std::array<int, kMoveKinds> bestMotion{};
            best.fill(kForbidden);
            for (int motion = 0; motion < kMotions; ++motion) {
                const int before = cost[static_cast<std::size_t>(a * kMotions + motion)];
                if (before > cutoff) continue;
                for (std::size_t kind = 0; kind < kMoveKinds; ++kind)
                    if (const int c = before + kAfterMotion[static_cast<std::size_t>(motion)][kind];
                        c < best[kind])
                        best[kind] = c, bestMotion[kind] = motion;
            }
            if (best[kOtherMove] >= kForbidden && best[kUpByStep] >= kForbidden &&
                best[kDownByStep] >= kForbidden)
                continue;
            const int keyA = keysBefore[static_cast<std::size_t>(a)];
            for (int b = 0; b < kStepCount; ++b) {
                const auto at = static_cast<std::size_t>(b);
                if (alone[at] >= kForbidden) continue;
                const Move& m = palette.MoveOf(notes[i - 1].chord, notes[i].chord, a, b);
                const int before = best[static_cast<std::size_t>(m.kind)];
                if (m.cost >= kForbidden || before >= kForbidden) continue;
                int c =
                    before + m.cost + alone[at] + rule.Cost(keyA, keys[at], offChord[at], m.size);
                if (bound && m.sign != sign) c += kFigureBroken;
                const auto target = static_cast<std::size_t>(b * kMotions + m.motion);
                if (c < next[target]) {
                    next[target] = c;
                    from[i * kStates + target] = static_cast<std::uint8_t>(
                        a * kMotions + bestMotion[static_cast<std::size_t>(m.kind)]);
                }
            }
        }
        cost = next;
    }

    int state = 0;
    for (int s = 1; s < kStates; ++s)
        if (cost[static_cast<std::size_t>(s)] < cost[static_cast<std::size_t>(state)]) state = s;
    std::vector<SungNote> sung(n);
    for (std::size_t i = n; i-- > 0;) {
        const int step = state / kMotions + kLowestStep;
        sung[i] = {step, palette.KeyOf(step, notes[i].chord)};
        if (i > 0) state = from[i * kStates + static_cast<std::size_t>(state)];
    }
    return sung;
}

std::optional<Figure> FigureOf(std::span<const SungNote> notes) {
    const std::size_t n = notes.size();
    if (n < 3) return std::nullopt;
    return Figure{Sign(notes[n - 2].key - notes[n - 3].key),
                  Sign(notes[n - 1].key - notes[n - 2].key)};
}

} // namespace kvat::song
