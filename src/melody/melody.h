#pragma once
// From the verse and its metre state to the melody string: one token per vowel letter and a
// rest "0" after every line, tokens joined by CR LF. The score, the arrangement and the command
// line all read this string.

#include "text/strings.h"
#include "verse/metre.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvat {

// The controls the methods read. Values outside a control's range are taken at its nearest end,
// as the control itself would hold them.
struct MelodySettings {
    int method = 0;                // Combo2 index 0..9, -1 = no selection (no melody)
    bool lengthen = true;          // Check6: lengthen line-final syllables without an ictus
    int VScroll4 = 0;              // key of methods 3-4, -7..7
    int VScroll5 = 0;              // semitones added to the soft-row vowels in method 1, 0..11
    int VScroll6 = 0;              // key of methods 8-9, -7..7
    int VScroll7 = 0;              // key of methods 5-7, -7..7
    int VScroll8 = 0;              // line-centre shift of methods 5-7, a 16-bit value
    std::array<int, 10> noteMap{}; // Combo17 list indexes for а е ё и о у ы э ю я, -1 = none
};

struct MelodyResult {
    std::string text; // the melody string: tokens joined by "\r\n", none after the last
    // The (Min, Max) range methods 5-7 give VScroll8 for the next run.
    std::optional<std::pair<int, int>> centreRange;
};

// Nothing when no melody can be made: an empty text (no lines, or a single empty one, which is
// what an empty editor holds), method -1, or a hand-placed pattern with fewer lines than the
// verse. `why`, if given, receives a one-line English reason.
std::optional<MelodyResult> GenerateMelody(const Lines& lines, const MetreState& metre,
                                           const MelodySettings& settings,
                                           std::string* why = nullptr);

// A diatonic step to a white-key MIDI note: step 1 is 60 (middle C); steps -13..21 give 36..95,
// any other step 0.
int StepToNote(int step);

// The tokens of a melody string (split at CR LF); none for an empty string.
std::vector<std::string> MelodyTokens(std::string_view melody);

// The (Min, Max) range of VScroll8 that methods 5-7 set from the vowel count n of the last line:
// (n/4, -n/4), truncated. The window needs it even when a run ends without a melody.
std::pair<int, int> CentreRange(const Lines& lines);

} // namespace kvat
