#pragma once
// The sound options of the command line as the settings the arrangement reads, shared by the
// subcommands that make sound.

#include "cli/melody_options.h"
#include "cli/options.h"
#include "midi/sound_settings.h"
#include "midi/track_events.h"

namespace kvat::cli {

// --mezzo, --tenor and --bass switch their voice on; --group switches all three on and sets
// all four programs, over any single voice given, as the window locks the voice lists while a
// group is chosen; --drums and --accompaniment switch those parts on.
SoundSettings SoundSettingsFromOptions(const Options& options);

// The melody arranged under the sound options as a whole MIDI file, named after the verse's first
// line and with a lyric on every sung note unless --no-lyrics.
TrackBytes MidiFileFromOptions(const VerseMelody& melody, const Options& options);

} // namespace kvat::cli
