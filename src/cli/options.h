#pragma once
// The options every subcommand accepts, read straight into the settings values the piece is
// built from. Defaults are the core's, the window's start-up choices; a value out of range is a
// usage error (exit 2) named by ParseOptions.

#include "melody/melody.h"
#include "midi/sound_settings.h"
#include "verse/analysis.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvat::cli {

struct Options {
    std::string command; // the subcommand, empty for none
    std::string file;    // the verse file; empty or "-" for standard input
    std::string output;  // -o
    // Many poems at once: -d DIR writes DIR/NAME.EXT for each of `files`, EXT from -f.
    std::string outputDir;
    std::string format;
    std::vector<std::string> files;
    bool help = false;
    bool version = false;
    bool resetSettings = false; // the window starts from the defaults, forgetting the saved ones

    MelodySettings melody;
    SoundSettings sound;
    std::optional<int> metre; // 0..5; none = the analysis's choice
    StressMode stress = StressMode::kRule;
    std::string ictusFile; // with metre 5: the painted vowels
    // Without --note-map the note-map method draws one, as the "Генерировать" button does, from
    // the octaves of --octave, seeded by --seed or else the clock.
    bool noteMapGiven = false;
    int octave = 1; // 1, 2 or 12
    std::optional<std::uint64_t> seed;
    bool boostGiven = false; // without --boost it follows the dynamics down to 0
    bool colour = false;
    bool noLyrics = false;
    bool ticks = false; // kvat melody: each token's start and length beside it
    std::string soundfont;
    // audio: the voice alone (--voice-only); --voice is `sound.singing` and `sound.singer`.
    bool voiceOnly = false;

    bool operator==(const Options&) const = default;
};

// One line of the options' help as a row: the option as written and what it does. The manual
// page lays out the same rows as --help does.
struct OptionHelpLine {
    std::string usage;
    std::string help;
};
std::vector<OptionHelpLine> OptionsHelpLines();

// The options part of --help: one line per option (or group of options), from the same table
// that parsing reads.
std::string OptionsHelp();

// Parses argv[1..]. On a usage error returns nothing and sets `error` to one line naming the
// option, its value and the allowed range.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

} // namespace kvat::cli
