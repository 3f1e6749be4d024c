#pragma once
// The melody method's settings as the command line gives them; shared by every subcommand that
// makes a melody (melody, score, midi, audio).

#include "cli/options.h"
#include "cli/verse_context.h"
#include "melody/melody.h"

#include <optional>
#include <string>
#include <vector>

namespace kvat::cli {

// The note map is --note-map, or for the note-map method without it a random one drawn as the
// "Генерировать" button does,
// from the octaves of --octave, seeded by --seed or else the clock. Nothing here can fail: the
// options were checked when they were parsed.
MelodySettings MelodySettingsFromOptions(const Options& options);

struct VerseMelody {
    VerseContext verse;
    std::vector<std::string> tokens;
};

// The verse the options name and its melody. On failure prints the one-line error and returns
// nothing with `status` set: 2 for a verse that cannot be read, 1 when no melody can be made.
std::optional<VerseMelody> LoadMelody(const Options& options, int& status);

// As LoadMelody, for the subcommands that sound or draw the melody (midi, audio, score): a
// melody of rests alone, which is what a text without a Russian vowel gives, is no melody
// either, and fails with status 1.
std::optional<VerseMelody> LoadSungMelody(const Options& options, int& status);

} // namespace kvat::cli
