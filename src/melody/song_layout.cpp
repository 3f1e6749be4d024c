#include "melody/song_layout.h"

#include <algorithm>

namespace kvat::song {
namespace {

int FloorTo(int value, int step) {
    const int r = ((value % step) + step) % step;
    return value - r;
}

int CeilTo(int value, int step) {
    return -FloorTo(-value, step);
}

// Units from the line's first syllable to its first bar line. A line whose last syllable
// comes before the bar line after its start has its first bar line before its start (a
// negative head), so that its cadence falls in a bar of its own; the song's first line may
// sing it in the upbeat, which rests on the tonic.
int Head(const LineRhythm& r, const Grid& g, bool first) {
    const int head = (g.barUnits - r.startPhase) % g.barUnits;
    return head > r.starts.back() && !first ? head - g.barUnits : head;
}

// The bars a line needs from its first bar line so that its last note starts within them, is
// held at least as long as the grid asks, and leaves a breath before the next line's upbeat.
int BarsNeeded(const LineRhythm& r, int head, int nextHead, const Grid& g) {
    const int finalStart = r.starts.back() - head;
    const int span = CeilTo(finalStart + g.leastFinal, g.beatUnits) + nextHead + g.breath;
    return std::max({1, CeilTo(span, g.barUnits) / g.barUnits,
                     FloorTo(finalStart, g.barUnits) / g.barUnits + 1});
}

} // namespace

Timeline LayOut(const std::vector<Phrase>& phrases, const std::vector<LineRhythm>& rhythms,
                const Grid& g) {
    const std::size_t n = phrases.size();
    // What follows a line: the next one's upbeat, unless a break bar takes it.
    std::vector<int> head(n), nextHead(n, 0), bars(n, 0);
    for (std::size_t k = 0; k < n; ++k) head[k] = Head(rhythms[k], g, k == 0);
    for (std::size_t k = 0; k + 1 < n; ++k) nextHead[k] = phrases[k].breakAfter ? 0 : head[k + 1];
    // A stanza's lines all take as many bars as its longest needs.
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first;
        while (last < n && phrases[last].stanza == phrases[first].stanza) ++last;
        int most = 1;
        for (std::size_t k = first; k < last; ++k)
            most = std::max(most, BarsNeeded(rhythms[k], head[k], nextHead[k], g));
        if (g.evenPhrases && most % 2 == 1 && most > 1) ++most;
        std::fill(bars.begin() + static_cast<std::ptrdiff_t>(first),
                  bars.begin() + static_cast<std::ptrdiff_t>(last), most);
        first = last;
    }

    Timeline t;
    t.barTicks = g.barUnits * g.unitTicks;
    const int origin = n ? head[0] : 0; // units before bar 0
    t.upbeat = origin * g.unitTicks;
    auto tick = [&](int unit) { return (unit + origin) * g.unitTicks; };
    int bar = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const int barLine = bar * g.barUnits, start = barLine - head[k];
        const int phraseEnd = barLine + bars[k] * g.barUnits - nextHead[k];
        PlacedPhrase p;
        p.starts.reserve(rhythms[k].starts.size());
        for (const int s : rhythms[k].starts) p.starts.push_back(tick(start + s));
        p.end = tick(FloorTo(phraseEnd - g.breath, g.beatUnits));
        p.restEnd = tick(phraseEnd);
        p.firstBar = bar;
        p.bars = bars[k];
        bar += bars[k];
        if (phrases[k].breakAfter) ++bar;
        p.breakEnd = phrases[k].breakAfter ? tick(bar * g.barUnits - head[k + 1]) : p.restEnd;
        t.phrases.push_back(std::move(p));
    }
    t.barCount = bar;
    return t;
}

} // namespace kvat::song
