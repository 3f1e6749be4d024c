#pragma once
// The arrangement: every melody token becomes the channel events of the melody voice and of
// whichever harmony voices, held accompaniment chord and drum figure the settings switch on.

#include "midi/melody_bars.h"
#include "midi/sound_settings.h"
#include "midi/track_events.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

// The channels the arrangement writes: the melody, the three harmony voices after it, the held
// chord's four notes from kAccompanimentChannel on, and the drums on kDrumChannel.
inline constexpr int kMelodyChannel = 0;
inline constexpr int kVoiceChannels = 4; // the melody and the three harmony voices
inline constexpr int kAccompanimentChannel = 4;
inline constexpr int kChordNotes = 4;

// What the arrangement carries from one token to the next. A fresh value is a reset track.
struct TrackState {
    TrackBytes events;    // the events so far, as the bytes the track chunk will hold
    int noteTicks = 48;   // length of the token just arranged: 48, 72 or 96 ticks
    int barTokens = 0;    // tokens since the held chord began; 0: the next token starts one
    int drumTokens = 0;   // tokens since the drum figure last ended
    int chordNote = 0;    // the note that started the held chord
    int pendingTicks = 0; // time since the last event, which the next event waits
    // Under a melody in bars of its own: the time arranged so far, and the bar chord held (its
    // index among the bars' chords, -1 for none).
    std::int64_t now = 0;
    int barChord = -1;
};

// The words a file carries: the track's name and, per token, the syllable sung on it (empty for
// none). Lyrics are given only to sung notes.
struct MidiWords {
    std::string title;
    std::vector<std::string> lyrics;
};

// How a token sounds: its key (0 for a rest), its length in ticks (48 unmarked, 72 "+", 96
// "++" or more; a rest, marked or not, 72) and whether it is marked, which lets the stress
// boost through. The note number is the token's leading digits, at most two.
struct TokenSound {
    int note;
    int ticks;
    bool marked;
};
TokenSound ReadToken(std::string_view token);

// Appends the events of one token: a note number (two digits) with no mark, "+" (medium),
// "++" or "+++" (long); any token whose number is 0 is a rest, which writes no note at all and
// leaves its time to the next event. `base` is the dynamics value, `boost` the velocity a marked
// note gains while lengthening is on; `lyric` goes before a sung note.
void ArrangeToken(TrackState& state, std::string_view token, int base, int boost,
                  const SoundSettings& settings, std::string_view lyric = {});
// The same for a note already read: what a method that times its own notes hands over. Under
// `bars` the harmony voices and the held chord follow the bar's chord, which changes at every
// bar line, within a note too.
void ArrangeNote(TrackState& state, const TokenSound& note, int base, int boost,
                 const SoundSettings& settings, std::string_view lyric = {},
                 const MelodyBars* bars = nullptr);

// Ends the arrangement: a held chord that the last bar left sounding is released, so the file
// never ends with notes on.
void ReleaseAccompaniment(TrackState& state, const SoundSettings& settings,
                          const MelodyBars* bars = nullptr);

// Ends the arrangement: the held chord is released and the effect controllers set back to 0.
void EndArrangement(TrackState& state, const SoundSettings& settings,
                    const MelodyBars* bars = nullptr);

// The whole Standard MIDI File of a melody's tokens under the settings, with its words; of its
// notes, each sounding as long as it says, in the bars given (their time signature and
// chords) or else the settings' time signature.
TrackBytes ArrangeMelody(std::span<const std::string> tokens, const SoundSettings& settings,
                         const MidiWords& words = {});
TrackBytes ArrangeNotes(std::span<const TokenSound> notes, const SoundSettings& settings,
                        const MidiWords& words = {}, const MelodyBars* bars = nullptr);

} // namespace kvat
