#pragma once
// The arrangement as parts of a score: what each voice the settings switch on plays under each
// melody token. The notes are read from the events the arrangement itself writes for the MIDI
// file, token by token, so the score and the file can never disagree on a pitch, a length, a
// held chord or a drum stroke.

#include "midi/arrangement.h"
#include "midi/sound_settings.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kvat {

enum class PartRole : unsigned char { kMelody, kMezzo, kTenor, kBass, kAccompaniment, kDrums };

// One sounding span of a part, or a rest.
struct PartNote {
    int token = 0;                      // the melody token it starts with
    int ticks = 0;                      // its length, at the MIDI file's 96 ticks per quarter
    std::array<std::uint8_t, 4> keys{}; // MIDI keys (for drums, percussion keys)
    std::uint8_t keyCount = 0;          // 0: a rest
    bool accent = false;                // the arrangement boosts it: a stressed melody note
};

struct ArrangedPart {
    PartRole role = PartRole::kMelody;
    int channel = 0; // the part's MIDI channel, 0-based
    int program = 0; // its General MIDI program, 0-based; unused for the drums
    std::vector<PartNote> notes;
};

// The melody first, then the mezzo, tenor and bass, the held chord and the drums, each only when
// switched on. Every part lasts as long as the melody. Under `bars` the held chord is the bar's,
// one note per bar.
std::vector<ArrangedPart> ArrangeParts(std::span<const TokenSound> notes,
                                       const SoundSettings& settings,
                                       const MelodyBars* bars = nullptr);

} // namespace kvat
