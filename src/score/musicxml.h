#pragma once
// The melody and the voices the sound settings switch on as a MusicXML 4.0 document
// (score-partwise), for notation programs: one part per voice with its General MIDI program,
// bars from the time signature with notes tied across them, the tempo, the dynamics mark,
// accents on the stressed notes and the syllables under the melody.

#include "midi/arrangement.h"
#include "midi/sound_settings.h"

#include <span>
#include <string>
#include <string_view>

namespace kvat {

// `notes` are the melody's, one per token as the arrangement reads them, `rows` the divided
// text's syllable rows, `title` the work's title. Lengths are the MIDI file's, in its ticks:
// <divisions> is the ticks of a quarter note.
// Under the melody's own `bars` their time signature, upbeat, key and chords are written.
std::string MusicXmlScore(std::span<const TokenSound> notes,
                          std::span<const std::u32string_view> rows, const SoundSettings& settings,
                          std::u32string_view title, const MelodyBars* bars = nullptr);

} // namespace kvat
