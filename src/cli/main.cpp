// kvat: the command-line front end. Decides the mode before anything else, so that the
// subcommands never need a display.

#include "app/window/run_window.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "kvat_version.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using kvat::cli::Options;

constexpr const char* kUsage = R"( - music from Russian verse

Usage:
  kvat           [FILE]           open the window (with FILE; an open window takes it)
  kvat analyse   [FILE] [opts]    JSON of the verse analysis
  kvat syllables [FILE]           the verse divided into syllables
  kvat report    [FILE] [opts]    the verse report
  kvat melody    [FILE] [opts]    the melody tokens, one per line
  kvat midi      [FILE] -o OUT    the arranged melody as a MIDI file (-o - for stdout)
  kvat audio     [FILE] -o OUT    the melody sounded into a WAV file
  kvat score     [FILE] -o OUT    the score as .png, .svg, .pdf, the layout's .json or .musicxml
  kvat midi|audio|score FILE... -d DIR [-f EXT]   each file written to DIR/NAME.EXT
  kvat --help | --version

FILE is UTF-8 text; absent or "-" reads standard input.

Options:
)";

constexpr const char* kUsageEnd = R"(
Exit status: 0 success, 1 failure, 2 bad usage or bad input.
)";

struct Subcommand {
    const char* name;
    std::function<int(const Options&)> run;
};

const std::vector<Subcommand>& Subcommands() {
    static const std::vector<Subcommand> table = {
        {"analyse", kvat::cli::RunAnalyse}, {"syllables", kvat::cli::RunSyllables},
        {"report", kvat::cli::RunReport},   {"melody", kvat::cli::RunMelody},
        {"midi", kvat::cli::RunMidi},       {"audio", kvat::cli::RunAudio},
        {"score", kvat::cli::RunScore},
    };
    return table;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string error;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto options = kvat::cli::ParseOptions(args, error);
    if (!options) {
        std::cerr << "kvat: " << error << '\n';
        return 2;
    }
    if (options->version) {
        std::cout << "Kvat " << kvat::kVersion << '\n';
        return 0;
    }
    if (options->help) {
        std::cout << "Kvat " << kvat::kVersion << kUsage << kvat::cli::OptionsHelp() << kUsageEnd;
        return 0;
    }
    if (options->command.empty()) return kvat::RunWindow(argc, argv, options->resetSettings);
    if (!options->outputDir.empty()) return kvat::cli::RunBatch(*options, args, "/proc/self/exe");
    for (const auto& sub : Subcommands())
        if (options->command == sub.name) return sub.run(*options);
    // Not a subcommand but a verse file: the window opens it.
    if (std::error_code ignored; std::filesystem::is_regular_file(options->command, ignored))
        return kvat::RunWindow(argc, argv, options->resetSettings, options->command);
    std::cerr << "kvat: '" << options->command << "': no such subcommand; see kvat --help\n";
    return 2;
}
