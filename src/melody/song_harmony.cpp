#include "melody/song_harmony.h"

#include <array>

namespace kvat::song {
namespace {

using D = ChordDegree;
constexpr D kT = D::kTonic, kS2 = D::kSupertonic, kS = D::kSubdominant, kD = D::kDominant,
            kM = D::kSubmediant;

// By cadence (open, half, full) and the count of bars before the cadence's bar (0..4): the
// chords up to and including the cadence's.
struct Progression {
    std::array<D, 5> chords;
    int size;
};
constexpr std::array<std::array<Progression, 5>, 3> kProgressions = {{
    {{{{kT}, 1},
      {{kS, kT}, 2},
      {{kT, kS, kT}, 3},
      {{kT, kS, kD, kT}, 4},
      {{kT, kM, kS, kD, kT}, 5}}},
    {{{{kD}, 1},
      {{kT, kD}, 2},
      {{kT, kS, kD}, 3},
      {{kT, kM, kS2, kD}, 4},
      {{kT, kS, kT, kS2, kD}, 5}}},
    {{{{kT}, 1},
      {{kD, kT}, 2},
      {{kT, kD, kT}, 3},
      {{kT, kS, kD, kT}, 4},
      {{kT, kM, kS2, kD, kT}, 5}}},
}};

// Longer lines open by swaying between the tonic and the subdominant.
constexpr std::array<D, 2> kOpening = {kT, kS};

} // namespace

BarChords Harmonise(const std::vector<Phrase>& phrases, const Timeline& t, bool minorKey) {
    BarChords chords(static_cast<std::size_t>(t.barCount) + 1, kT);
    auto at = [&](int bar) -> D& { return chords[static_cast<std::size_t>(bar + 1)]; };
    for (std::size_t k = 0; k < phrases.size(); ++k) {
        const PlacedPhrase& p = t.phrases[k];
        const int first = p.firstBar, cadence = BarAt(t, p.starts.back());
        const int before = cadence - first;
        if (before < 0) continue; // the whole line sung in an upbeat: it keeps that bar's chord
        const auto& row = kProgressions[static_cast<std::size_t>(phrases[k].cadence)];
        const Progression& prog = row[static_cast<std::size_t>(std::min<int>(before, 4))];
        const int opening = before + 1 - prog.size;
        for (int b = 0; b < opening; ++b) at(first + b) = kOpening[static_cast<std::size_t>(b % 2)];
        for (int b = 0; b < prog.size; ++b)
            at(first + opening + b) = prog.chords[static_cast<std::size_t>(b)];
        for (int b = cadence + 1; b < first + p.bars; ++b) at(b) = at(cadence);
        // A stanza opens on the tonic, unless it is a line too short for anything but V-I.
        if (phrases[k].place == 0 && phrases[k].cadence != Cadence::kFull) at(first) = kT;
    }
    if (minorKey)
        for (D& c : chords)
            if (c == kS2) c = kS;
    return chords;
}

} // namespace kvat::song
