// kvat: the command-line front end. Decides the mode before anything else, so that the
// subcommands never need a display.

#include "app/run_window.h"
#include "cli/commands.h"
#include "cli/options.h"

#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using kvat::cli::Options;

constexpr const char* kUsage = R"(Kvat 1.05 - music from Russian verse

Usage:
  kvat                            open the window
  kvat analyse   [FILE] [opts]    JSON of the verse analysis
  kvat syllables [FILE]           the verse divided into syllables
  kvat report    [FILE] [opts]    the verse report
  kvat melody    [FILE] [opts]    the melody tokens, one per line
  kvat midi      [FILE] -o OUT    the arranged melody as a MIDI file (-o - for stdout)
  kvat audio     [FILE] -o OUT    the melody sounded into a WAV file
  kvat score     [FILE] -o OUT    the score as .png, .svg, .pdf, the layout's .json or .musicxml
  kvat --help | --version

FILE is UTF-8 text; absent or "-" reads standard input.

Options:
  -o, --output OUT      midi, audio, score: the file to write
  --method N            melody method 0..9 (default 0)
  --metre auto|N        metre 0..5: trochee, iamb, amphibrach, dactyl, anapaest, by hand
  --ictus FILE          with --metre 5: one line of 0/1 per verse line, one digit per vowel
  --lengthen yes|no     lengthen line-final syllables (default yes)
  --key N               key shift -7..7 of the chosen method (default 0)
  --sharp-shift N       0..11 semitones for soft vowels, method 1 (default 0)
  --centre-shift N      line-centre shift, methods 5-7 (default 0)
  --note-map L          ten list indexes 0..23 or -1 for а,е,ё,и,о,у,ы,э,ю,я (method 2)
  --octave 1|2|12       octaves of the random note map (default 1)
  --seed N              seed of the random note map (default: the clock)
  --tempo N             tempo list index 0..38 (default 13)
  --dynamics N          dynamics list index 0..7 (default 2)
  --boost N             stress boost 0..dynamics index (default min(2, dynamics))
  --time-signature N/D  time signature (default 4/2)
  --soprano P           soprano program 0..127 (default 2)
  --mezzo P, --tenor P, --bass P   switch that voice on with program P
  --group strings|woodwind|brass   a ready-made group of four voices
  --drums A,B           switch the drum figure on with keys A,B (35..81)
  --drum-map M          drum map 3..10 (default 5)
  --accompaniment P     switch the accompaniment chord on with program P
  --effect none|modulation|sustain (default none)
  --colour              score: syllables in their vowel colours
  --soundfont SF2       audio: the SoundFont (default: $KVAT_SOUNDFONT, then the system's)

Exit status: 0 success, 1 failure, 2 bad usage or bad input.
)";

struct Subcommand {
    const char* name;
    std::function<int(const Options&)> run;
};

const std::vector<Subcommand>& Subcommands() {
    static const std::vector<Subcommand> table = {
        {"analyse", kvat::cli::RunAnalyse},
        {"syllables", kvat::cli::RunSyllables},
        {"report", kvat::cli::RunReport},
        {"melody", kvat::cli::RunMelody},
        {"midi", kvat::cli::RunMidi},
        {"audio", kvat::cli::RunAudio},
        {"score", kvat::cli::RunScore},
    };
    return table;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string error;
    const auto options = kvat::cli::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "kvat: " << error << '\n';
        return 2;
    }
    if (options->version) {
        std::cout << "Kvat 1.05\n";
        return 0;
    }
    if (options->help) {
        std::cout << kUsage;
        return 0;
    }
    if (options->command.empty()) return kvat::RunWindow(argc, argv);
    for (const auto& sub : Subcommands())
        if (options->command == sub.name) return sub.run(*options);
    std::cerr << "kvat: '" << options->command << "': no such subcommand; see kvat --help\n";
    return 2;
}
