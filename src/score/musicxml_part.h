#pragma once
// One part of the MusicXML document: its measures, the notes split at the bar lines and tied,
// the first measure's attributes and directions, the lyrics under the melody.

#include "midi/melody_bars.h"
#include "midi/sound_settings.h"
#include "score/arranged_parts.h"
#include "score/musicxml_text.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

struct Metre {
    int beats;
    int beatType;
    int measureTicks;
};

// The time signature as the MIDI file writes it: a denominator between powers of two takes the
// lower one. Values no list offers are taken at the nearest sensible end.
Metre MetreOf(const SoundSettings& settings);
Metre MetreOf(const MelodyBars& bars);

// <name>value</name>
void AppendElement(std::string& out, std::string_view name, int value);

// The drum keys of a part in the order they first sound; none for a pitched part.
std::vector<int> DrumKeys(const ArrangedPart& part);

// The id of a part's instrument: `key` is the drum's, 0 for a pitched part's only one.
std::string InstrumentId(const std::string& part, int key);

// The <part> element of `part`, whose id is `id`; the melody's notes sing `syllables` (one per
// token). The tempo goes with the first part only: notation programs take it for the score.
// Under the melody's own `bars` (and their `metre`), an upbeat is a measure of its own
// (implicit), the key is theirs, notes are beamed by the beat and the melody part carries the
// bars' chord symbols.
void AppendPart(std::string& out, const ArrangedPart& part, const std::string& id, Metre metre,
                std::span<const std::optional<LyricSyllable>> syllables,
                const SoundSettings& settings, bool withTempo, const MelodyBars* bars = nullptr);

} // namespace kvat
