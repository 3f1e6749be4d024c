#pragma once
// The rhythm of one line: where each syllable starts on a grid of bars, stressed syllables on
// the strong beats (where a foot starts), the unstressed vowels of longer words off them, the
// line's last syllable on a beat, from which it is held.

#include "melody/song.h"
#include "melody/song_syllables.h"

#include <array>
#include <vector>

namespace kvat::song {

// The grid a song's lines are laid on. Its unit is half a syllable's usual length, so that two
// syllables may share the time of one.
struct Grid {
    TimeSignature time;
    int unitTicks;
    int footUnits; // a strong beat wherever a foot starts
    int barUnits;
    int beatUnits;    // the time signature's beat: where a held note may start
    int leastFinal;   // the shortest a line's last note is held
    int breath;       // the shortest rest between lines
    bool evenPhrases; // lines take an even number of bars
    bool ternary;
};

// Binary feet give 2/4, or 4/4 when the lines are long; ternary ones 3/4 when the lines are
// short, else 6/8. `feet` is a typical line's count of ictuses.
Grid ChooseGrid(bool ternary, int feet);

struct LineRhythm {
    int startPhase = 0;      // units into a bar at which the line's first syllable starts
    std::vector<int> starts; // per syllable, units from the line's first syllable
};

// Places the lines of one song; what a syllable costs where is worked out once, at its start.
class LinePlacer {
public:
    explicit LinePlacer(const Grid& grid);
    // `line` must hold at least one syllable.
    LineRhythm Place(const SyllableLine& line) const;

private:
    // By syllable kind (weight, ictus, last of its line) and place in the bar.
    static constexpr int kKinds = 16, kMostPhases = 16;
    static int Kind(const Syllable& s, bool final);
    Grid grid_;
    std::array<std::array<int, kMostPhases>, kKinds> place_{};
};

constexpr bool IsStrong(int unit, const Grid& grid) {
    return ((unit % grid.footUnits) + grid.footUnits) % grid.footUnits == 0;
}

} // namespace kvat::song
