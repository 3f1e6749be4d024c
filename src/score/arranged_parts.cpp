#include "score/arranged_parts.h"

#include "midi/arrangement.h"

namespace kvat {
namespace {

// The arrangement's channels: the melody, the harmony voices in order after it, the held
// chord's notes from the accompaniment channel on, the drums on kDrumChannel.
constexpr int kMelodyChannel = 0;
constexpr int kAccompanimentChannel = 4;
constexpr int kChordNotes = 4;
constexpr int kChannels = 16;
constexpr int kNone = -1;

constexpr int kNoteOff = 0x80, kNoteOn = 0x90, kProgramChange = 0xC0;

// What one token's events do on each channel.
struct TokenEvents {
    int ticks = 0;                         // the melody note's length: the delay of its note-off
    std::array<int, kChannels> started{};  // the key a note-on starts, or kNone
    std::array<int, kChannels> velocity{}; // and its velocity
    bool chordReleased = false;            // the held chord ends with this token
};

// Walks the events as track_events.h lays them out: a one-byte delay, the status byte, then two
// data bytes, or one for a program change.
TokenEvents ReadEvents(std::span<const std::uint8_t> events) {
    TokenEvents read;
    read.started.fill(kNone);
    for (std::size_t at = 0; at + 2 < events.size();) {
        const int delay = events[at], kind = events[at + 1] & 0xF0, channel = events[at + 1] & 0x0F;
        const int first = events[at + 2];
        if (kind == kProgramChange) {
            at += 3;
            continue;
        }
        if (at + 3 >= events.size()) break;
        const int second = events[at + 3];
        at += 4;
        if (kind == kNoteOn) {
            read.started[std::size_t(channel)] = first;
            read.velocity[std::size_t(channel)] = second;
        }
        if (kind == kNoteOff && channel == kMelodyChannel) read.ticks = delay;
        if (kind == kNoteOff && channel == kAccompanimentChannel) read.chordReleased = true;
    }
    return read;
}

// The velocity the arrangement gives an unmarked note: a louder melody note is a boosted one.
int PlainVelocity(const SoundSettings& settings) {
    TrackState scratch;
    ArrangeToken(scratch, "1", BaseVelocity(settings), 0, settings);
    return ReadEvents(scratch.events).velocity[kMelodyChannel];
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

// Key 0 is how the arrangement sounds a rest on a pitched channel.
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

} // namespace

std::vector<ArrangedPart> ArrangeParts(std::span<const std::string> tokens,
                                       const SoundSettings& settings) {
    std::vector<ArrangedPart> parts = PartsSwitchedOn(settings);
    for (auto& part : parts) part.notes.reserve(tokens.size());
    const int base = BaseVelocity(settings), boost = StressBoost(settings);
    const int plain = PlainVelocity(settings);
    TrackState state;
    bool held = false;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        state.events.clear(); // the counters go on; only this token's events are read
        ArrangeToken(state, tokens[t], base, boost, settings);
        if (t + 1 == tokens.size()) ReleaseAccompaniment(state, settings);
        const TokenEvents events = ReadEvents(state.events);
        for (auto& part : parts) AddToken(part, events, static_cast<int>(t), plain, held);
    }
    return parts;
}

} // namespace kvat
