#pragma once
// The notes of one phrase: the cheapest walk over the key's steps within the range, where a
// walk pays for its moves (a repeated note, more for a wider leap, a leap left unresolved by a
// step back, a step back after a step), for a stressed syllable below a neighbour in its word,
// for straying from the phrase's contour, and for a rhyme's figure not kept. An accented note
// is always in its bar's chord, and the last note is the cadence's.

#include "melody/song_key.h"
#include "melody/song_syllables.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace kvat::song {

struct NoteSlot {
    ChordDegree chord = ChordDegree::kTonic;
    bool accented = false;
    Weight weight = Weight::kFree;
    int word = 0;
    int target = 0; // where the contour would have it, in half scale steps from the tonic
};

// The directions of the last two moves of a line: -1, 0 or 1 each.
using Figure = std::array<int, 2>;

struct PhraseAim {
    std::array<bool, kStepCount> finalSteps{}; // the steps the cadence may end on
    std::optional<Figure> figure;              // the rhyme's figure to repeat
};

struct SungNote {
    int step = 0;
    int key = 0; // MIDI
};

// The key's steps within the range and the moves between them, worked out once per song: a
// minor key's steps sound differently under the dominant chord, every other chord alike.
class Palette {
public:
    struct Move {
        int cost = 0; // by its size alone; past reach for a move not sung
        int size = 0; // semitones
        int sign = 0;
        int motion = 0; // how the melody moves after it
        int kind = 0;   // a step up, a step down, or anything else
    };

    explicit Palette(const Key& key);
    int KeyOf(int step, ChordDegree chord) const {
        return keys_[Dominant(chord)][static_cast<std::size_t>(step - kLowestStep)];
    }
    bool InChord(int step, ChordDegree chord) const {
        return tones_[static_cast<std::size_t>(chord)]
                     [static_cast<std::size_t>(step - kLowestStep)];
    }
    const Move& MoveOf(ChordDegree from, ChordDegree to, int a, int b) const {
        return moves_[Dominant(from)][Dominant(to)][static_cast<std::size_t>(a * kStepCount + b)];
    }
    static Move Between(int fromKey, int toKey, int fromStep, int toStep);

private:
    static std::size_t Dominant(ChordDegree c) { return c == ChordDegree::kDominant; }
    std::array<std::array<int, kStepCount>, 2> keys_{};
    std::array<std::array<bool, kStepCount>, kChordDegreeCount> tones_{};
    std::array<std::array<std::array<Move, kStepCount * kStepCount>, 2>, 2> moves_{};
};

// `notes` must not be empty; `previous` is the note sung before the phrase, if any.
std::vector<SungNote> SingPhrase(std::span<const NoteSlot> notes, const PhraseAim& aim,
                                 const Palette& palette, std::optional<SungNote> previous);

// The figure a phrase ends with; nothing for a phrase of fewer than three notes.
std::optional<Figure> FigureOf(std::span<const SungNote> notes);

} // namespace kvat::song
