#include "cli/command_line.h"

#include "cli/batch.h"
#include "cli/commands.h"
#include "kvat_version.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace kvat::cli {
namespace {

std::string Usage() {
    return R"( - music from Russian verse

Usage:
  kvat           [FILE]           open the window (with FILE; an open window takes it)
  kvat analyse   [FILE] [opts]    JSON of the verse analysis
  kvat syllables [FILE]           the verse divided into syllables
  kvat report    [FILE] [opts]    the verse report
  kvat melody    [FILE] [opts]    the melody tokens, one per line
  kvat midi      [FILE] -o OUT    the arranged melody as a MIDI file (-o - for stdout)
  kvat audio     [FILE] -o OUT    the melody sounded into a WAV file
  kvat score     [FILE] -o OUT    the score as )" +
           ScoreFormatsText() + R"(
  kvat midi|audio|score FILE... -d DIR [-f EXT]   each file written to DIR/NAME.EXT
  kvat --help | --version

FILE is UTF-8 text; absent or "-" reads standard input.

Options:
)";
}

constexpr const char* kUsageEnd = R"(
Exit status: 0 success, 1 failure, 2 bad usage or bad input.
)";

struct Subcommand {
    const char* name;
    int (*run)(const Run&);
};

constexpr Subcommand kSubcommands[] = {
    {"analyse", RunAnalyse}, {"syllables", RunSyllables}, {"report", RunReport},
    {"melody", RunMelody},   {"midi", RunMidi},           {"score", RunScore},
};

// A verse file where a subcommand would stand: the window opens it.
bool IsWindowFile(const Options& options) {
    std::error_code ignored;
    return options.outputDir.empty() && options.command != "audio" &&
           std::ranges::none_of(
               kSubcommands, [&](const Subcommand& sub) { return options.command == sub.name; }) &&
           std::filesystem::is_regular_file(options.command, ignored);
}

} // namespace

bool AsksForDesktop(const Options& options) {
    if (options.command.empty() || options.command == "audio" || IsWindowFile(options)) return true;
    if (options.command != "score") return false;
    const auto format = options.outputDir.empty() ? FormatOfPath(options.output, "score")
                                                  : BatchFormat("score", options.format);
    return format && NeedsDesktop(*format);
}

int RunCommandLine(int argc, char** argv, const DesktopParts* desktop) {
    std::string error;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto options = ParseOptions(args, error);
    if (!options) {
        std::cerr << "kvat: " << error << '\n';
        return 2;
    }
    if (options->version) {
        std::cout << "Kvat " << kVersion << '\n';
        return 0;
    }
    if (options->help) {
        std::cout << "Kvat " << kVersion << Usage() << OptionsHelp() << kUsageEnd;
        return 0;
    }
    if (!desktop && AsksForDesktop(*options)) return kDesktopNeeded;
    const Run run{*options, std::cout, std::cerr, desktop};
    if (options->command.empty() || IsWindowFile(*options))
        return desktop->openWindow(argc, argv, options->resetSettings, options->command);
    if (!options->outputDir.empty()) return RunBatch(run);
    if (options->command == "audio") return desktop->runAudio(run);
    for (const auto& sub : kSubcommands)
        if (options->command == sub.name) return sub.run(run);
    std::cerr << "kvat: '" << options->command << "': no such subcommand; see kvat --help\n";
    return 2;
}

} // namespace kvat::cli
