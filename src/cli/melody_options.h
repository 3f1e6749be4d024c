#pragma once
// The melody method's settings as the command line gives them; shared by every subcommand that
// makes a melody (melody, score, midi, audio).

#include "cli/options.h"
#include "melody/melody.h"

namespace kvat::cli {

// --key goes to the scroll bar the method reads (VScroll4 for methods 3-4, VScroll7 for 5-7,
// VScroll6 for 8-9); --sharp-shift to VScroll5, --centre-shift to VScroll8. The note map is
// --note-map, or for method 2 without it a random one drawn as the "Генерировать" button does,
// from the octaves of --octave, seeded by --seed or else the clock. Nothing here can fail: the
// options were checked when they were parsed.
MelodySettings MelodySettingsFromOptions(const Options& options);

} // namespace kvat::cli
