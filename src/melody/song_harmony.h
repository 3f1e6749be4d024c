#pragma once
// One chord per bar: each phrase moves to its cadence (the dominant before the
// tonic of a full cadence, a pre-dominant before the dominant of a half one) and holds the
// cadence's chord until the next phrase; a stanza opens on the tonic, and break bars and the
// upbeat rest on it.

#include "melody/song_layout.h"

#include <vector>

namespace kvat::song {

// Index 0 is the upbeat's bar (tonic, also when there is no upbeat); bar b is index b + 1.
using BarChords = std::vector<ChordDegree>;

BarChords Harmonise(const std::vector<Phrase>& phrases, const Timeline& timeline, bool minorKey);

inline ChordDegree ChordAt(const BarChords& chords, const Timeline& t, int tick) {
    return chords[static_cast<std::size_t>(BarAt(t, tick) + 1)];
}

} // namespace kvat::song
