#include "midi/arrangement.h"

#include "midi/chords.h"
#include "midi/instrument_names.h"
#include "midi/midi_file.h"
#include "midi/presets.h"

#include <algorithm>
#include <array>

namespace kvat {
namespace {

constexpr int kVelocityLift = 27;        // melody and held chord sound this much above the dynamics
constexpr int kFullValue = 127;          // the effect controller's value
constexpr int kAccompanimentChannel = 4; // 5, 6 and 7 hold its chord
constexpr int kDrumDelay = 1;            // ticks between a token's note-ons and its drum stroke

// Unmarked, "+" and "++" notes; a rest, marked or not, lasts like a "+" note.
constexpr int kShortTicks = 48;
constexpr int kMediumTicks = 72;
constexpr int kLongTicks = 96;
constexpr int kRestTicks = 72;

// The most bytes one token can add: four control changes, eight program changes, eight
// note-ons, a drum stroke, four note-offs and a chord release.
constexpr std::size_t kMostBytesPerToken = 16 + 24 + 32 + 4 + 16 + 16;

struct TokenReading {
    int note;
    int ticks;
    bool marked;
};

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

// A rest keeps its marks out of the velocity: a rest is a rest however the line-end rules
// marked it, and a doubly boosted "0++" could otherwise push the velocity past 127.
TokenReading ReadToken(std::string_view token) {
    const int note = TokenNote(token);
    if (note == 0) return {0, kRestTicks, false};
    if (token.ends_with("++")) return {note, kLongTicks, true};
    if (token.ends_with('+')) return {note, kMediumTicks, true};
    return {note, kShortTicks, false};
}

std::array<VoiceChoice, 3> HarmonyVoices(const SoundSettings& settings) {
    return {settings.mezzo, settings.tenor, settings.bass};
}

void SetPrograms(TrackBytes& track, const SoundSettings& settings) {
    AppendProgramChange(track, 0, settings.soprano);
    const auto harmony = HarmonyVoices(settings);
    for (std::size_t i = 0; i < harmony.size(); ++i)
        if (harmony[i].on) AppendProgramChange(track, static_cast<int>(i) + 1, harmony[i].program);
    if (!settings.accompanimentOn) return;
    for (int channel = kAccompanimentChannel; channel < kAccompanimentChannel + 4; ++channel)
        AppendProgramChange(track, channel, settings.accompaniment);
}

// Calls `event(channel, note)` for every harmony voice that is on, with its note of the
// melody note's chord; a note without a chord leaves the harmony silent.
template <class Event> void ForHarmony(const SoundSettings& settings, int note, Event event) {
    const auto chord = ChordFor(note);
    if (!chord) return;
    const auto harmony = HarmonyVoices(settings);
    for (std::size_t i = 0; i < harmony.size(); ++i)
        if (harmony[i].on) event(static_cast<int>(i) + 1, (*chord)[i]);
}

void StartHeldChord(TrackState& state, int note, int velocity) {
    AppendNoteOn(state.events, 0, kAccompanimentChannel, note, velocity);
    if (const auto chord = ChordFor(note))
        for (int i = 0; i < 3; ++i)
            AppendNoteOn(state.events, 0, kAccompanimentChannel + 1 + i, (*chord)[i], velocity);
    state.chordNote = note;
}

void ReleaseHeldChord(TrackState& state) {
    AppendNoteOff(state.events, 0, kAccompanimentChannel, state.chordNote);
    if (const auto chord = ChordFor(state.chordNote))
        for (int i = 0; i < 3; ++i)
            AppendNoteOff(state.events, 0, kAccompanimentChannel + 1 + i, (*chord)[i]);
    state.barTokens = 0;
}

// The key of a percussion list index. The data byte is clamped to 0..127 in any case; clamping
// the index first only keeps the sum from overflowing.
int DrumKey(int index) {
    return std::clamp(index, -kFirstDrumKey, 127 - kFirstDrumKey) + kFirstDrumKey;
}

// The figure strikes the last three tokens of every `drumMap` tokens: twice the first drum,
// then the last drum. The count runs on even with the drums off. The comparisons move the
// count, which never exceeds the number of tokens, rather than the map, which may be any value.
void StrikeDrums(TrackState& state, const SoundSettings& settings, int velocity) {
    const int map = settings.drumMap;
    if (settings.drumsOn && (state.drumTokens + 2 == map || state.drumTokens + 1 == map))
        AppendNoteOn(state.events, kDrumDelay, kDrumChannel, DrumKey(settings.drumFirst),
                     velocity);
    if (state.drumTokens != map) return;
    if (settings.drumsOn)
        AppendNoteOn(state.events, kDrumDelay, kDrumChannel, DrumKey(settings.drumLast),
                     velocity);
    state.drumTokens = 0;
}

} // namespace

void ArrangeToken(TrackState& state, std::string_view token, int base, int boost,
                  const SoundSettings& settings) {
    const TokenReading reading = ReadToken(token);
    const int velocity = base + kVelocityLift + (reading.marked && settings.lengthen ? boost : 0);
    const int quieter = velocity - kVelocityLift;
    state.noteTicks = reading.ticks;
    TrackBytes& track = state.events;

    const int controller = EffectController(settings.effect);
    for (int channel = 0; channel < 4; ++channel)
        AppendControlChange(track, channel, controller, kFullValue);
    SetPrograms(track, settings);

    AppendNoteOn(track, 0, 0, reading.note, velocity);
    ForHarmony(settings, reading.note,
               [&](int channel, int note) { AppendNoteOn(track, 0, channel, note, quieter); });
    if (settings.accompanimentOn && state.barTokens == 0)
        StartHeldChord(state, reading.note, velocity);
    ++state.barTokens;
    ++state.drumTokens;
    StrikeDrums(state, settings, quieter);

    AppendNoteOff(track, state.noteTicks, 0, reading.note);
    ForHarmony(settings, reading.note,
               [&](int channel, int note) { AppendNoteOff(track, 0, channel, note); });
    if (settings.accompanimentOn && state.barTokens == settings.numerator) ReleaseHeldChord(state);
}

void ReleaseAccompaniment(TrackState& state, const SoundSettings& settings) {
    if (settings.accompanimentOn && state.barTokens > 0) ReleaseHeldChord(state);
}

std::int64_t TokenStartTick(std::span<const std::string> tokens, std::size_t index) {
    std::int64_t tick = 0;
    for (std::size_t i = 0; i < index && i < tokens.size(); ++i) tick += ReadToken(tokens[i]).ticks;
    return tick;
}

TrackBytes ArrangeMelody(std::span<const std::string> tokens, const SoundSettings& settings) {
    TrackState state;
    state.events.reserve(tokens.size() * kMostBytesPerToken);
    const int base = BaseVelocity(settings);
    const int boost = StressBoost(settings);
    for (const auto& token : tokens) ArrangeToken(state, token, base, boost, settings);
    ReleaseAccompaniment(state, settings);
    return BuildMidiFile(state.events, TempoBpm(settings), settings.numerator,
                         settings.denominator);
}

} // namespace kvat
