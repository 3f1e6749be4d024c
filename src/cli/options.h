#pragma once
// The options every subcommand accepts. Defaults are the window's start-up defaults; a value
// out of range is a usage error (exit 2) named by ParseOptions.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvat::cli {

enum class Effect { kNone, kModulation, kSustain };
enum class Group { kStrings, kWoodwind, kBrass };

struct Options {
    std::string command;               // the subcommand, empty for none
    std::string file;                  // the verse file; empty or "-" for standard input
    std::string output;                // -o
    bool help = false;
    bool version = false;

    int method = 0;                    // 0..9
    std::optional<int> metre;          // 0..5; none = the analysis's choice
    std::string ictusFile;             // with metre 5: the painted vowels
    bool lengthen = true;
    int key = 0;                       // -7..7
    int sharpShift = 0;                // 0..11
    int centreShift = 0;
    std::optional<std::array<int, 10>> noteMap; // list indexes 0..23 or -1, for а е ё и о у ы э ю я
    int octave = 1;                    // 1, 2 or 12
    std::optional<std::uint64_t> seed;

    int tempo = 13;                    // 0..38
    int dynamics = 2;                  // 0..7
    std::optional<int> boost;          // 0..dynamics; none = min(2, dynamics)
    int numerator = 4;
    int denominator = 2;
    int soprano = 2;
    std::optional<int> mezzo, tenor, bass;
    std::optional<Group> group;
    std::optional<std::array<int, 2>> drums; // keys 35..81
    int drumMap = 5;                   // 3..10
    std::optional<int> accompaniment;
    Effect effect = Effect::kNone;
    bool colour = false;
    std::string soundfont;

    int Boost() const { return boost ? *boost : std::min(2, dynamics); }
};

// Parses argv[1..]. On a usage error returns nothing and sets `error` to one line naming the
// option, its value and the allowed range.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

} // namespace kvat::cli
