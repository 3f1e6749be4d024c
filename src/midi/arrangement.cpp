#include "midi/arrangement.h"

#include "midi/chords.h"
#include "midi/midi_file.h"
#include "midi/presets.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace kvat {
namespace {

constexpr int kVelocityLift = 27; // melody and held chord sound this much above the dynamics
constexpr int kFullValue = 127;   // the effect controller's value
constexpr int kNoEffect = 0;      // the controller "No Effect" stands for

// Unmarked, "+" and "++" notes; a rest, marked or not, lasts like a "+" note.
constexpr int kShortTicks = 48;
constexpr int kMediumTicks = 72;
constexpr int kLongTicks = 96;
constexpr int kRestTicks = 72;

// The most bytes one token can add, besides its lyric: four control changes, eight program
// changes, eight note-ons, two drum strokes and their ends, four note-offs and a chord release,
// with room for deltas of two bytes.
constexpr std::size_t kMostBytesPerToken = 20 + 32 + 40 + 20 + 20 + 20;

// The note number is the token's leading digits, at most two; a token starting otherwise
// reads as 0, a rest.
int TokenNote(std::string_view token) {
    int note = 0;
    for (std::size_t i = 0; i < token.size() && i < 2; ++i) {
        if (token[i] < '0' || token[i] > '9') break;
        note = note * 10 + (token[i] - '0');
    }
    return note;
}

std::array<VoiceChoice, 3> HarmonyVoices(const SoundSettings& settings) {
    return {settings.mezzo, settings.tenor, settings.bass};
}

// Every event waits for the time that has passed since the one before it: a rest writes
// nothing, and its time goes to whatever comes next.
int TakeDelta(TrackState& state) {
    return std::exchange(state.pendingTicks, 0);
}

void NoteOn(TrackState& state, int channel, int note, int velocity) {
    if (note != 0) AppendNoteOn(state.events, TakeDelta(state), channel, note, velocity);
}

void NoteOff(TrackState& state, int channel, int note) {
    if (note != 0) AppendNoteOff(state.events, TakeDelta(state), channel, note);
}

void SetPrograms(TrackState& state, const SoundSettings& settings) {
    AppendProgramChange(state.events, TakeDelta(state), kMelodyChannel, settings.soprano);
    const auto harmony = HarmonyVoices(settings);
    for (std::size_t i = 0; i < harmony.size(); ++i)
        if (harmony[i].on)
            AppendProgramChange(state.events, 0, static_cast<int>(i) + 1, harmony[i].program);
    if (!settings.accompanimentOn) return;
    for (int channel = kAccompanimentChannel; channel < kAccompanimentChannel + kChordNotes;
         ++channel)
        AppendProgramChange(state.events, 0, channel, settings.accompaniment);
}

// "No Effect" sends nothing (controller 0 is Bank Select, which players would obey); the others
// their controller at full value before every note.
void SetEffect(TrackState& state, const SoundSettings& settings, int value) {
    const int controller = EffectController(settings.effect);
    if (controller == kNoEffect) return;
    for (int channel = 0; channel < kVoiceChannels; ++channel)
        AppendControlChange(state.events, TakeDelta(state), channel, controller, value);
}

// The harmony voices' keys under a melody note: from the bar's chord under bars of the
// melody's own, else from the chord table.
std::optional<Chord> HarmonyUnder(int note, const TrackState& state, const MelodyBars* bars) {
    if (!bars) return ChordFor(note);
    const auto chord = bars->ChordIndexAt(state.now);
    if (note == 0 || !chord) return std::nullopt;
    return VoicesUnder(bars->chords[*chord], note);
}

template <class Event>
void ForHarmony(const SoundSettings& settings, const std::optional<Chord>& chord, Event event) {
    if (!chord) return;
    const auto harmony = HarmonyVoices(settings);
    for (std::size_t i = 0; i < harmony.size(); ++i)
        if (harmony[i].on) event(static_cast<int>(i) + 1, (*chord)[i]);
}

void StartHeldChord(TrackState& state, int note, int velocity) {
    NoteOn(state, kAccompanimentChannel, note, velocity);
    if (const auto chord = ChordFor(note))
        for (int i = 0; i < 3; ++i)
            NoteOn(state, kAccompanimentChannel + 1 + i, (*chord)[i], velocity);
    state.chordNote = note;
}

void ReleaseHeldChord(TrackState& state) {
    NoteOff(state, kAccompanimentChannel, state.chordNote);
    if (const auto chord = ChordFor(state.chordNote))
        for (int i = 0; i < 3; ++i) NoteOff(state, kAccompanimentChannel + 1 + i, (*chord)[i]);
    state.barTokens = 0;
}

void ReleaseBarChord(TrackState& state, const MelodyBars& bars) {
    if (state.barChord < 0) return;
    for (int i = 0; i < kChordNotes; ++i)
        NoteOff(state, kAccompanimentChannel + i,
                HeldChordKeys(bars.chords[static_cast<std::size_t>(state.barChord)])[i]);
    state.barChord = -1;
}

// The chord of the bar `state.now` lies in, struck unless it already sounds.
void StrikeBarChord(TrackState& state, const MelodyBars& bars, int velocity) {
    const auto chord = bars.ChordIndexAt(state.now);
    if (!chord || static_cast<int>(*chord) == state.barChord) return;
    ReleaseBarChord(state, bars);
    state.barChord = static_cast<int>(*chord);
    for (int i = 0; i < kChordNotes; ++i)
        NoteOn(state, kAccompanimentChannel + i, HeldChordKeys(bars.chords[*chord])[i], velocity);
}

// The note's time passes; at every bar line within it the held chord changes.
void PassTime(TrackState& state, int ticks, const MelodyBars* bars, bool chordOn, int velocity) {
    const std::int64_t end = state.now + ticks;
    if (bars && chordOn)
        for (std::int64_t line = bars->NextBarLine(state.now); line < end;
             line = bars->NextBarLine(line)) {
            state.pendingTicks += static_cast<int>(line - state.now);
            state.now = line;
            StrikeBarChord(state, *bars, velocity);
        }
    state.pendingTicks += static_cast<int>(end - state.now);
    state.now = end;
}

// The figure strikes the last three tokens of every `drumMap` tokens: twice the first drum,
// then the last drum, each with its token's start and ended with its token. The count runs on
// even with the drums off. The comparisons move the count, which never exceeds the number of
// tokens, rather than the map, which may be any value. Returns the key struck, or 0.
int StrikeDrums(TrackState& state, const SoundSettings& settings, int velocity) {
    const int map = settings.drumMap;
    int key = 0;
    if (state.drumTokens + 2 == map || state.drumTokens + 1 == map)
        key = std::clamp(settings.firstDrumKey, 0, 127);
    if (state.drumTokens == map) {
        key = std::clamp(settings.lastDrumKey, 0, 127);
        state.drumTokens = 0;
    }
    if (!settings.drumsOn) return 0;
    NoteOn(state, kDrumChannel, key, velocity);
    return key;
}

} // namespace

// A rest keeps its marks out of the velocity: a rest is a rest however the line-end rules
// marked it, and a doubly boosted "0++" could otherwise push the velocity past 127.
TokenSound ReadToken(std::string_view token) {
    const int note = TokenNote(token);
    if (note == 0) return {0, kRestTicks, false};
    if (token.ends_with("++")) return {note, kLongTicks, true};
    if (token.ends_with('+')) return {note, kMediumTicks, true};
    return {note, kShortTicks, false};
}

void ArrangeToken(TrackState& state, std::string_view token, int base, int boost,
                  const SoundSettings& settings, std::string_view lyric) {
    ArrangeNote(state, ReadToken(token), base, boost, settings, lyric);
}

void ArrangeNote(TrackState& state, const TokenSound& reading, int base, int boost,
                 const SoundSettings& settings, std::string_view lyric, const MelodyBars* bars) {
    const int velocity = base + kVelocityLift + (reading.marked && settings.lengthen ? boost : 0);
    const int quieter = velocity - kVelocityLift;
    state.noteTicks = reading.ticks;

    SetEffect(state, settings, kFullValue);
    SetPrograms(state, settings);
    if (reading.note != 0 && !lyric.empty())
        AppendMetaText(state.events, TakeDelta(state), midi::kMetaLyric, lyric);

    NoteOn(state, kMelodyChannel, reading.note, velocity);
    const auto harmony = HarmonyUnder(reading.note, state, bars);
    ForHarmony(settings, harmony,
               [&](int channel, int note) { NoteOn(state, channel, note, quieter); });
    // A bar's chord is struck as an unstressed note would be.
    const int chordVelocity = base + kVelocityLift;
    if (settings.accompanimentOn && bars)
        StrikeBarChord(state, *bars, chordVelocity);
    else if (settings.accompanimentOn && state.barTokens == 0)
        StartHeldChord(state, reading.note, velocity);
    ++state.barTokens;
    ++state.drumTokens;
    const int drum = StrikeDrums(state, settings, quieter);

    PassTime(state, state.noteTicks, bars, settings.accompanimentOn, chordVelocity);
    NoteOff(state, kMelodyChannel, reading.note);
    ForHarmony(settings, harmony, [&](int channel, int note) { NoteOff(state, channel, note); });
    NoteOff(state, kDrumChannel, drum);
    if (settings.accompanimentOn && !bars && state.barTokens == settings.numerator)
        ReleaseHeldChord(state);
}

void ReleaseAccompaniment(TrackState& state, const SoundSettings& settings,
                          const MelodyBars* bars) {
    if (bars) return ReleaseBarChord(state, *bars);
    if (settings.accompanimentOn && state.barTokens > 0) ReleaseHeldChord(state);
}

void EndArrangement(TrackState& state, const SoundSettings& settings, const MelodyBars* bars) {
    ReleaseAccompaniment(state, settings, bars);
    // The pedal or the modulation would otherwise stay on in whatever plays the file next.
    SetEffect(state, settings, 0);
}

TrackBytes ArrangeMelody(std::span<const std::string> tokens, const SoundSettings& settings,
                         const MidiWords& words) {
    std::vector<TokenSound> notes;
    notes.reserve(tokens.size());
    for (const std::string& token : tokens) notes.push_back(ReadToken(token));
    return ArrangeNotes(notes, settings, words);
}

TrackBytes ArrangeNotes(std::span<const TokenSound> notes, const SoundSettings& settings,
                        const MidiWords& words, const MelodyBars* bars) {
    TrackState state;
    state.events.reserve(notes.size() * kMostBytesPerToken);
    const int base = BaseVelocity(settings);
    const int boost = StressBoost(settings);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const std::string_view lyric =
            i < words.lyrics.size() ? std::string_view(words.lyrics[i]) : std::string_view();
        ArrangeNote(state, notes[i], base, boost, settings, lyric, bars);
    }
    EndArrangement(state, settings, bars);
    return BuildMidiFile(
        state.events, settings.beatsPerMinute, bars ? bars->beats : settings.numerator,
        bars ? bars->beatType : settings.denominator, words.title, state.pendingTicks);
}

} // namespace kvat
