#pragma once
// The options every subcommand accepts. Defaults are the core's, the window's start-up choices;
// a value out of range is a usage error (exit 2) named by ParseOptions.

#include "melody/melody.h"
#include "midi/sound_settings.h"
#include "verse/analysis.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvat::cli {

enum class Effect { kNone, kModulation, kSustain };
enum class Group { kStrings, kWoodwind, kBrass };

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

    int method = MethodIndex(Method::kPentatonic); // a method list index
    std::optional<int> metre;                      // 0..5; none = the analysis's choice
    StressMode stress = StressMode::rule;
    std::string ictusFile; // with metre 5: the painted vowels
    bool lengthen = true;
    int key = 0;        // kKeyShiftLow..kKeyShiftHigh
    int sharpShift = 0; // 0..kSoftVowelShiftHigh
    int centreShift = 0;
    std::optional<std::array<int, 10>> noteMap; // list indexes 0..23 or -1, for а е ё и о у ы э ю я
    int octave = 1;                             // 1, 2 or 12
    std::optional<std::uint64_t> seed;

    int tempo = SoundSettings{}.tempo;       // a tempo list index
    int dynamics = SoundSettings{}.dynamics; // a dynamics list index
    std::optional<int> boost;                // 0..dynamics; none = min(default boost, dynamics)
    int numerator = SoundSettings{}.numerator;
    int denominator = SoundSettings{}.denominator;
    int soprano = SoundSettings{}.soprano;
    std::optional<int> mezzo, tenor, bass;
    std::optional<Group> group;
    std::optional<std::array<int, 2>> drums; // keys 35..81
    int drumMap = SoundSettings{}.drumMap;
    std::optional<int> accompaniment;
    Effect effect = Effect::kNone;
    bool colour = false;
    bool noLyrics = false;
    std::string soundfont;

    int Boost() const { return boost ? *boost : std::min(SoundSettings{}.boost, dynamics); }
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

// The options of a well-formed command line as they were given, without the subcommand, the
// verse files, -d and -f: what each of a batch's runs is given again.
std::vector<std::string> PassThroughOptions(const std::vector<std::string>& args);

// Parses argv[1..]. On a usage error returns nothing and sets `error` to one line naming the
// option, its value and the allowed range.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

} // namespace kvat::cli
