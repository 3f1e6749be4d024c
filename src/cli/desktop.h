#pragma once
// What the command line asks of the parts that need Qt or the synthesizer: the window, the
// score's pictures and the sound. Only the desktop program (desktop_main.cpp) links them; the
// kvat command, which writes everything else, hands a request for them to that program by
// running it in its own place (main.cpp), so that the text subcommands never load Qt.

#include "cli/options.h"
#include "piece/output_formats.h"
#include "score/score_layout.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace kvat::cli {

struct DesktopParts {
    // Opens the window, with the verse `file` when one is named; returns the process's exit
    // status.
    int (*openWindow)(int argc, char** argv, bool resetSettings, const std::string& file) = nullptr;
    // The score as a picture's bytes (a PDF titled `title`); the one-line reason when it cannot
    // be drawn.
    std::string (*drawPicture)(const ScoreLayout& layout, OutputFormat format,
                               const std::u32string& title,
                               std::vector<std::uint8_t>& bytes) = nullptr;
    // kvat audio, which needs the synthesizer from its first check on.
    int (*runAudio)(const struct Run& run) = nullptr;
};

// Whether these options ask for something only the desktop program does: the window (with a
// verse file, named where a subcommand would be), a picture or a sound, one or a batch of them.
bool AsksForDesktop(const Options& options);

} // namespace kvat::cli
