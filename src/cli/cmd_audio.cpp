// kvat audio: the verse's melody arranged with the sound options and rendered offline through
// FluidSynth into a WAV file, faster than it plays and with no audio device or display.

#include "cli/commands.h"
#include "cli/melody_options.h"
#include "cli/output.h"
#include "cli/sound_options.h"
#include "cli/verse_context.h"
#include "melody/melody.h"
#include "midi/arrangement.h"
#include "midi/midi_timing.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"

#include <filesystem>
#include <iostream>

namespace kvat::cli {
namespace {

// Pieces shorter than this render in a moment; longer ones show how far they are.
constexpr std::int64_t kQuietRenderMs = 60'000;

RenderProgress ProgressLine(const std::string& output, std::int64_t lengthMs) {
    if (lengthMs < kQuietRenderMs) return nullptr;
    return [output](double done) {
        std::cerr << "\rkvat: audio: rendering " << output << ": " << static_cast<int>(done * 100)
                  << "%" << (done >= 1 ? "\n" : "") << std::flush;
    };
}

} // namespace

int RunAudio(const Options& options) {
    if (options.output.empty() || options.output == "-") {
        PrintError("audio: no output file: give -o OUT.wav");
        return 2;
    }
    if (!options.soundfont.empty() && !std::filesystem::exists(options.soundfont)) {
        PrintError(options.soundfont + ": no such SoundFont file");
        return 2;
    }
    if (!options.soundfont.empty() && !IsSoundFontFile(options.soundfont)) {
        PrintError(options.soundfont + ": not a SoundFont file");
        return 2;
    }
    const auto soundFont =
        options.soundfont.empty() ? FindSoundFont() : std::filesystem::path(options.soundfont);
    if (!soundFont) {
        PrintError("audio: no SoundFont found: install a General MIDI SoundFont "
                   "(fluid-soundfont-gm or timgm6mb-soundfont), or give --soundfont FILE "
                   "or set KVAT_SOUNDFONT");
        return 1;
    }
    int status = 0;
    const auto melody = LoadSungMelody(options, status);
    if (!melody) return status;
    const TrackBytes midi = MidiFileFromOptions(*melody, options);
    const auto timing = ReadMidiTiming(midi);
    const auto progress = ProgressLine(options.output, timing ? LengthMs(*timing) : 0);
    std::string error;
    if (RenderMidiToWav(midi, *soundFont, options.output, progress, error)) return 0;
    PrintError(error);
    return 1;
}

} // namespace kvat::cli
