#include "midi/chords.h"

#include <cstdint>

namespace kvat {
namespace {

constexpr int kNoChord = -1;

// Row of the chord table per MIDI note, so a lookup costs one index per token and voice.
constexpr std::array<std::int8_t, 128> BuildChordIndex() {
    std::array<std::int8_t, 128> index{};
    index.fill(kNoChord);
    for (std::size_t row = 0; row < kChordTable.size(); ++row)
        index[static_cast<std::size_t>(kChordTable[row].note)] = static_cast<std::int8_t>(row);
    return index;
}

constexpr std::array<std::int8_t, 128> kChordIndex = BuildChordIndex();

} // namespace

std::optional<Chord> ChordFor(int note) {
    if (note < 0 || note >= static_cast<int>(kChordIndex.size())) return std::nullopt;
    const int row = kChordIndex[static_cast<std::size_t>(note)];
    if (row == kNoChord) return std::nullopt;
    return kChordTable[static_cast<std::size_t>(row)].chord;
}

} // namespace kvat
