#pragma once
// The song's form: its sung lines as phrases, grouped into stanzas, each phrase closing with a
// cadence: a half one (on the dominant) in the middle of a stanza, a full one (on the tonic)
// at its end, an open one elsewhere.

#include "melody/song_syllables.h"

#include <cstddef>
#include <vector>

namespace kvat::song {

enum class Cadence : unsigned char { kOpen, kHalf, kFull };

struct Phrase {
    std::size_t line = 0; // the editor line sung
    Cadence cadence = Cadence::kOpen;
    int stanza = 0;
    int place = 0;           // its place in the stanza, from 0
    int stanzaSize = 1;      // the stanza's phrase count
    bool breakAfter = false; // a stanza break follows it, and another phrase after that
};

// Stanzas are the runs of sung lines between lines without a vowel; a long run is taken four
// lines at a time, a single line left over joining the four before it.
std::vector<Phrase> SongForm(const std::vector<SyllableLine>& lines);

} // namespace kvat::song
