#pragma once
// The phrases laid end to end in bars: every line opens its own bar (its upbeat in the bar
// before), its last note held to a beat near the next line's start, a breath of rest after
// it; the lines of a stanza take the same number of bars, and a stanza break one bar more.

#include "melody/song_form.h"
#include "melody/song_rhythm.h"

#include <vector>

namespace kvat::song {

struct PlacedPhrase {
    std::vector<int> starts; // per syllable, ticks from the song's start
    int end = 0;             // where the last note ends: the line's rest starts there
    int restEnd = 0;         // where that rest ends
    int breakEnd = 0;        // where the stanza break's rest ends; restEnd when there is none
    int firstBar = 0; // the bar opened by the line's first bar line (bar 0: after the upbeat)
    int bars = 0;     // its bars, up to the next line's first bar line or a break bar
};

struct Timeline {
    std::vector<PlacedPhrase> phrases; // as SongForm lists them
    int upbeat = 0;                    // ticks before bar 0
    int barCount = 0;                  // bars after the upbeat
    int barTicks = 0;
};

// `rhythms` hold one entry per phrase.
Timeline LayOut(const std::vector<Phrase>& phrases, const std::vector<LineRhythm>& rhythms,
                const Grid& grid);

// The bar a tick lies in: -1 for the upbeat.
inline int BarAt(const Timeline& t, int tick) {
    return tick < t.upbeat ? -1 : (tick - t.upbeat) / t.barTicks;
}

} // namespace kvat::song
