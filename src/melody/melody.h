#pragma once
// From the verse and its metre state to the melody string: one token per vowel letter and a
// rest "0" after every line, tokens joined by CR LF. The score, the arrangement and the command
// line all read this string.

#include "melody/method.h"
#include "melody/song.h"
#include "text/strings.h"
#include "verse/metre.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvat {

inline constexpr int kKeyShiftLow = -7, kKeyShiftHigh = 7;
inline constexpr int kSoftVowelShiftHigh = 11;

// What the methods read. Values outside a range are taken at its nearest end.
struct MelodySettings {
    std::optional<Method> method = Method::kPentatonic; // nothing: no method chosen, no melody
    bool lengthen = true;   // lengthen line-final syllables without an ictus
    int keyShift = 0;       // scale steps up or down, methods with HasKeyShift, -7..7
    int softVowelShift = 0; // semitones added to the soft-row vowels (kPentatonicShift), 0..11
    int centreShift = 0;    // line-centre shift of the methods with HasCentreRange, 16 bits
    std::array<int, 10> noteMap{}; // note list indexes for а е ё и о у ы э ю я, -1 = none
    SongSettings song{};           // the key and range of the song method (TimesItsNotes)
    bool operator==(const MelodySettings&) const = default;
};

// What the song method reads besides the lines and the metre, one entry a line: the stress
// strings with the hand-placed stresses put in, and the rhyme groups (equal numbers rhyme, a
// negative one rhymes with nothing). A missing entry: no stress, no rhyme.
struct VerseAccents {
    std::span<const std::string> stress;
    std::span<const int> rhymes;
};

struct MelodyResult {
    std::string text; // the melody string: tokens joined by "\r\n", none after the last
    // The (Min, Max) range the centre-range methods give the centre shift for the next run.
    std::optional<std::pair<int, int>> centreRange;
    // Each token's start and length, the bars and their chords, of a method that times its notes.
    std::optional<SongTiming> timing;
};

// Nothing when no melody can be made: an empty text (no lines, or a single empty one, which is
// what an empty editor holds), no method, or a hand-placed pattern with fewer lines than the
// verse. `why`, if given, receives a one-line English reason.
std::optional<MelodyResult> GenerateMelody(const Lines& lines, const MetreState& metre,
                                           const MelodySettings& settings,
                                           std::string* why = nullptr, VerseAccents accents = {});

// A diatonic step to a white-key MIDI note: step 1 is 60 (middle C); steps -13..21 give 36..95,
// any other step 0.
int StepToNote(int step);

// The tokens of a melody string (split at CR LF); none for an empty string.
std::vector<std::string> MelodyTokens(std::string_view melody);

// The (Min, Max) range of the centre shift that the centre-range methods set from the vowel
// count n of the last line: (n/4, -n/4), truncated. The window needs it even when a run ends
// without a melody.
std::pair<int, int> CentreRange(const Lines& lines);

} // namespace kvat
