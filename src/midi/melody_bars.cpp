#include "midi/melody_bars.h"

#include "midi/midi_file.h"

#include <algorithm>

namespace kvat {
namespace {

constexpr int kOctave = 12;
constexpr int kChordBase = 48; // the C below middle C
constexpr int kLowestVoice = 24;
constexpr int kLeastGap = 3; // a voice stays a minor third or more under the one above it

int PitchClass(int key) {
    return ((key % kOctave) + kOctave) % kOctave;
}

bool InChord(int key, const BarChord& chord) {
    const int above = PitchClass(key - chord.root);
    return above == 0 || above == 7 || above == (chord.minor ? 3 : 4);
}

// The highest chord tone at least a minor third under `key`, an octave up while too low.
int ChordToneUnder(const BarChord& chord, int key) {
    int tone = key - kLeastGap;
    while (!InChord(tone, chord)) --tone;
    while (tone < kLowestVoice) tone += kOctave;
    return tone;
}

} // namespace

int MelodyBars::BarTicks() const {
    const int type = beatType > 0 ? beatType : 4;
    return std::max(1, std::clamp(beats, 1, 255) * 4 * kTicksPerQuarter / type);
}

std::optional<std::size_t> MelodyBars::ChordIndexAt(std::int64_t tick) const {
    if (chords.empty()) return std::nullopt;
    const std::int64_t bar =
        tick < upbeat ? 0 : (tick - upbeat) / BarTicks() + (upbeat > 0 ? 1 : 0);
    return static_cast<std::size_t>(std::min<std::int64_t>(bar, chords.size() - 1));
}

std::int64_t MelodyBars::NextBarLine(std::int64_t tick) const {
    if (tick < upbeat) return upbeat;
    return upbeat + ((tick - upbeat) / BarTicks() + 1) * BarTicks();
}

std::array<int, 4> HeldChordKeys(const BarChord& chord) {
    const int root = kChordBase + PitchClass(chord.root);
    return {root + 7, root + (chord.minor ? 3 : 4), root, root - kOctave};
}

std::array<int, 3> VoicesUnder(const BarChord& chord, int melodyKey) {
    const int mezzo = ChordToneUnder(chord, melodyKey);
    const int tenor = ChordToneUnder(chord, mezzo);
    int bass = kChordBase - kOctave + PitchClass(chord.root);
    if (bass >= tenor) bass -= kOctave;
    while (bass < kLowestVoice) bass += kOctave;
    return {mezzo, tenor, bass};
}

} // namespace kvat
