#pragma once
// The song method: the verse set as a song a person can sing. Its rhythm lies in real bars of a
// time signature chosen from the metre, every stressed syllable on a strong beat; its notes are
// those of one key within a singable range; its lines end in cadences and its rhyming lines in
// the same figure; one chord per bar harmonises it.

#include "text/strings.h"
#include "verse/metre.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvat {

enum class SongMode : unsigned char { kMajor, kMinor };
enum class SongRange : unsigned char { kSoprano, kAlto, kTenor, kBass };
inline constexpr int kSongRangeCount = 4;

struct SongSettings {
    int tonic = 0; // the key's tonic as a pitch class, C = 0 … B = 11; others taken modulo 12
    SongMode mode = SongMode::kMajor;
    SongRange range = SongRange::kSoprano;
    bool operator==(const SongSettings&) const = default;
};

struct TimeSignature {
    int beats = 2;
    int beatType = 4;
    bool operator==(const TimeSignature&) const = default;
};

// The chords a song is harmonised with, by the scale degree of their root. A minor key has no
// supertonic chord of its own (it would be diminished); its songs take the subdominant instead.
enum class ChordDegree : unsigned char {
    kTonic,
    kSupertonic,
    kSubdominant,
    kDominant,
    kSubmediant
};
inline constexpr int kChordDegreeCount = 5;

struct SongChord {
    ChordDegree degree = ChordDegree::kTonic;
    int root = 0;       // pitch class
    bool minor = false; // a minor triad, else a major one
    bool operator==(const SongChord&) const = default;
};

// Where a song's tokens fall and what harmonises them.
struct SongTiming {
    // Per token, in ticks of the MIDI file (96 per quarter note). The tokens follow each other
    // without gaps; a line without a vowel may have a rest of no length.
    std::vector<int> starts, lengths;
    TimeSignature time;
    int upbeat = 0; // ticks before the first bar line: an implicit first measure when not 0
    // One chord per measure, the upbeat's measure first when there is one; the song ends on a
    // bar line.
    std::vector<SongChord> chords;
};

struct Song : SongTiming {
    std::string text; // the melody string: one token per vowel and "0" after every line
};

// The verse's lines; per line its stress string ('1' on a stressed vowel, one character per
// vowel and per typed digit 0, 1 or 7, as the analysis gives it, hand-placed stresses
// included); the metre state; per line its rhyme group (equal numbers rhyme, a negative one or
// a missing entry rhymes with nothing). Nothing when there is no melody to make: an empty
// text, a metre index off the list, a hand-placed pattern shorter than the verse, or a verse
// too long to hold; `why` then receives a one-line English reason.
std::optional<Song> ComposeSong(const Lines& lines, std::span<const std::string> stress,
                                const MetreState& metre, std::span<const int> rhymes,
                                const SongSettings& settings, std::string* why = nullptr);

} // namespace kvat
