#include "score/arranged_parts.h"

#include "midi/arrangement.h"
#include "midi/status_bytes.h"

#include <algorithm>

namespace kvat {
namespace {

constexpr int kChannels = 16;
constexpr int kNone = -1;

// What one token's events do on each channel.
struct TokenEvents {
    int ticks = 0;                         // the token's length
    std::array<int, kChannels> started{};  // the key a note-on starts, or kNone
    std::array<int, kChannels> velocity{}; // and its velocity
    bool chordReleased = false;            // the held chord ends with this token
};

// A variable-length delta time, skipped.
std::size_t SkipDelta(std::span<const std::uint8_t> events, std::size_t at) {
    while (at < events.size() && (events[at] & 0x80)) ++at;
    return at + 1;
}

// Walks the events as track_events.h lays them out: a delta, then a channel message (status and
// its data bytes) or a meta event (0xFF, type, length, text). Only note-ons matter here.
TokenEvents ReadEvents(const TrackState& state, const SoundSettings& settings) {
    const std::span<const std::uint8_t> events = state.events;
    TokenEvents read;
    read.started.fill(kNone);
    for (std::size_t at = SkipDelta(events, 0); at < events.size(); at = SkipDelta(events, at)) {
        const std::uint8_t status = events[at++];
        if (status == midi::kMetaEvent) {
            if (at + 1 >= events.size()) break;
            at += 2 + events[at + 1]; // lyrics stay short: one length byte
            continue;
        }
        const auto data = static_cast<std::size_t>(midi::DataByteCount(status));
        if (at + data > events.size()) break;
        if (midi::StatusKind(status) == midi::kNoteOn) {
            const auto channel = static_cast<std::size_t>(midi::StatusChannel(status));
            read.started[channel] = events[at];
            read.velocity[channel] = events[at + 1];
        }
        at += data;
    }
    read.ticks = state.noteTicks;
    read.chordReleased = settings.accompanimentOn && state.barTokens == 0;
    return read;
}

// The velocity the arrangement gives an unmarked note: a louder melody note is a boosted one.
int PlainVelocity(const SoundSettings& settings) {
    TrackState scratch;
    ArrangeNote(scratch, ReadToken("1"), BaseVelocity(settings), 0, settings);
    return ReadEvents(scratch, settings).velocity[kMelodyChannel];
}

std::vector<ArrangedPart> PartsSwitchedOn(const SoundSettings& settings) {
    std::vector<ArrangedPart> parts = {{PartRole::kMelody, kMelodyChannel, settings.soprano, {}}};
    const std::array<std::pair<PartRole, VoiceChoice>, 3> harmony = {
        {{PartRole::kMezzo, settings.mezzo},
         {PartRole::kTenor, settings.tenor},
         {PartRole::kBass, settings.bass}}};
    for (int voice = 0; voice < 3; ++voice)
        if (harmony[std::size_t(voice)].second.on)
            parts.push_back({harmony[std::size_t(voice)].first,
                             kMelodyChannel + 1 + voice,
                             harmony[std::size_t(voice)].second.program,
                             {}});
    if (settings.accompanimentOn)
        parts.push_back(
            {PartRole::kAccompaniment, kAccompanimentChannel, settings.accompaniment, {}});
    if (settings.drumsOn) parts.push_back({PartRole::kDrums, kDrumChannel, 0, {}});
    return parts;
}

// A rest starts no note; key 0 is never one to write down.
void AddKey(PartNote& note, int key, bool pitched) {
    if (key == kNone || (pitched && key == 0)) return;
    note.keys[note.keyCount++] = static_cast<std::uint8_t>(key);
}

// The held chord lasts from the token that starts it to the one that releases it.
void AddHeldChord(ArrangedPart& part, const TokenEvents& events, int token, bool& held) {
    if (events.started[kAccompanimentChannel] != kNone || !held || part.notes.empty()) {
        PartNote chord{token, 0, {}, 0, false};
        for (int i = 0; i < kChordNotes; ++i)
            AddKey(chord, events.started[std::size_t(kAccompanimentChannel + i)], true);
        part.notes.push_back(chord);
    }
    part.notes.back().ticks += events.ticks;
    held = !events.chordReleased;
}

void AddToken(ArrangedPart& part, const TokenEvents& events, int token, int plainVelocity,
              bool& held) {
    if (part.role == PartRole::kAccompaniment) return AddHeldChord(part, events, token, held);
    PartNote note{token, events.ticks, {}, 0, false};
    AddKey(note, events.started[std::size_t(part.channel)], part.role != PartRole::kDrums);
    note.accent = part.role == PartRole::kMelody && note.keyCount > 0 &&
                  events.velocity[kMelodyChannel] > plainVelocity;
    part.notes.push_back(note);
}

// Under bars of the melody's own the held chord is the bar's: one note per bar, the keys the
// arrangement strikes, from the start to `end`.
void AddBarChords(ArrangedPart& part, const MelodyBars& bars, std::int64_t end) {
    for (std::int64_t at = 0; at < end;) {
        const std::int64_t next = std::min(bars.NextBarLine(at), end);
        PartNote chord{0, static_cast<int>(next - at), {}, 0, false};
        if (const auto index = bars.ChordIndexAt(at))
            for (int key : HeldChordKeys(bars.chords[*index])) AddKey(chord, key, true);
        part.notes.push_back(chord);
        at = next;
    }
}

} // namespace

std::vector<ArrangedPart> ArrangeParts(std::span<const TokenSound> notes,
                                       const SoundSettings& settings, const MelodyBars* bars) {
    std::vector<ArrangedPart> parts = PartsSwitchedOn(settings);
    for (auto& part : parts) part.notes.reserve(notes.size());
    const int base = BaseVelocity(settings), boost = StressBoost(settings);
    const int plain = PlainVelocity(settings);
    TrackState state;
    bool held = false;
    for (std::size_t t = 0; t < notes.size(); ++t) {
        state.events.clear(); // the counters go on; only this token's events are read
        ArrangeNote(state, notes[t], base, boost, settings, {}, bars);
        if (t + 1 == notes.size()) ReleaseAccompaniment(state, settings, bars);
        const TokenEvents events = ReadEvents(state, settings);
        for (auto& part : parts)
            if (!bars || part.role != PartRole::kAccompaniment)
                AddToken(part, events, static_cast<int>(t), plain, held);
    }
    for (auto& part : parts)
        if (bars && part.role == PartRole::kAccompaniment) AddBarChords(part, *bars, state.now);
    return parts;
}

} // namespace kvat
