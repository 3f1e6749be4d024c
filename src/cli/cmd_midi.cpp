// kvat midi: the verse's melody arranged with the sound options and written as a Standard MIDI
// File, whole or not at all; "-o -" sends the bytes to standard output.

#include "cli/commands.h"
#include "cli/file_output.h"
#include "cli/melody_options.h"
#include "cli/output.h"
#include "cli/sound_options.h"
#include "cli/verse_context.h"
#include "melody/melody.h"
#include "midi/arrangement.h"

#include <iostream>

namespace kvat::cli {
namespace {

bool WriteStandardOutput(const TrackBytes& bytes) {
    std::cout.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    return static_cast<bool>(std::cout);
}

} // namespace

int RunMidi(const Options& options) {
    if (options.output.empty()) {
        PrintError("midi: no output file: give -o OUT.mid, or -o - for standard output");
        return 2;
    }
    int status = 0;
    const auto melody = LoadSungMelody(options, status);
    if (!melody) return status;
    const TrackBytes file = MidiFileFromOptions(*melody, options);
    if (options.output == "-") {
        if (WriteStandardOutput(file)) return 0;
        PrintError("standard output: cannot write the MIDI file");
        return 1;
    }
    return WriteOutput(options.output, file);
}

} // namespace kvat::cli
