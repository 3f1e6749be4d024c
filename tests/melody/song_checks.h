#pragma once
// What must hold of every song, whatever the verse: the melody string's form, bars that add
// up, accents on beats and in their bar's chord, the key's notes only, a singer's range and
// moves, and the tonic at the end. The unit tests and the fuzz target both ask it.

#include "melody/melody.h"
#include "melody/song.h"
#include "melody/verse_walk.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace kvat::test {

inline int MeasureTicks(TimeSignature t) {
    return t.beatType > 0 ? t.beats * 384 / t.beatType : 0;
}

// The beat of 6/8 is a dotted quarter; of the simple signatures, their lower number's note.
inline int BeatTicks(TimeSignature t) {
    const int note = t.beatType > 0 ? 384 / t.beatType : 0;
    return t.beatType == 8 && t.beats % 3 == 0 ? 3 * note : note;
}

inline bool InKey(int key, const SongSettings& s, bool underDominant) {
    constexpr int kMajor[] = {0, 2, 4, 5, 7, 9, 11}, kMinor[] = {0, 2, 3, 5, 7, 8, 10};
    const int above = ((key - s.tonic % 12) % 12 + 12) % 12;
    const int* scale = s.mode == SongMode::kMinor ? kMinor : kMajor;
    return std::find(scale, scale + 7, above) != scale + 7 ||
           (s.mode == SongMode::kMinor && underDominant && above == 11);
}

// The first fault found, or an empty string.
inline std::string SongFault(const Lines& lines, const Song& song, const SongSettings& s) {
    const auto tokens = MelodyTokens(song.text);
    if (tokens.size() != melody::TokenCount(lines) || song.starts.size() != tokens.size() ||
        song.lengths.size() != tokens.size())
        return "not one token, start and length per vowel and line end";
    const int measure = MeasureTicks(song.time), beat = BeatTicks(song.time);
    if (measure <= 0 || song.upbeat < 0 || song.upbeat >= measure) return "no sensible bars";
    int last = 0, low = 999, high = 0;
    std::size_t k = 0;
    for (const auto& line : lines) {
        const std::size_t vowels = melody::VowelCount(line);
        for (std::size_t v = 0; v <= vowels; ++v, ++k) {
            const std::string& t = tokens[k];
            if (song.starts[k] != (k ? song.starts[k - 1] + song.lengths[k - 1] : 0))
                return "token " + std::to_string(k) + " does not follow the one before";
            const int key = std::atoi(t.c_str());
            const auto marks = static_cast<std::size_t>(std::count(t.begin(), t.end(), '+'));
            if (v == vowels) {
                if (t != "0" || song.lengths[k] < 0) return "a line does not end with a rest";
                continue;
            }
            if (key < 36 || key > 95 || t.size() != 2 + marks || song.lengths[k] <= 0)
                return "token " + std::to_string(k) + " is not a sounding note: " + t;
            if ((v + 1 == vowels) != (marks == 2) || marks > 2)
                return "token " + std::to_string(k) + ": \"++\" belongs to a line's last note";
            const int at = song.starts[k] - song.upbeat;
            const auto bar = static_cast<std::size_t>((at + measure) / measure - !song.upbeat);
            if (bar >= song.chords.size()) return "a note past the last chord";
            const SongChord& c = song.chords[bar];
            const int above = ((key - c.root) % 12 + 12) % 12;
            if (marks && ((at % beat + beat) % beat != 0 ||
                          (above != 0 && above != 7 && above != (c.minor ? 3 : 4))))
                return "accented token " + std::to_string(k) + " off the beat or the chord";
            if (!InKey(key, s, c.degree == ChordDegree::kDominant))
                return "token " + std::to_string(k) + " is not in the key";
            if (last && std::abs(key - last) > 9) return "a move wider than a sixth";
            last = key, low = std::min(low, key), high = std::max(high, key);
        }
    }
    if (!last) return {};
    const int end = song.starts.back() + song.lengths.back() - song.upbeat;
    if (end % measure != 0) return "the song does not end on a bar line";
    if (song.chords.size() != static_cast<std::size_t>(end / measure + (song.upbeat > 0)))
        return "not one chord per bar";
    if (high - low > 16) return "wider than a tenth";
    if (((last - s.tonic % 12) % 12 + 12) % 12 != 0) return "the song does not end on the tonic";
    return {};
}

} // namespace kvat::test
