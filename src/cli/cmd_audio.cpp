// kvat audio: the verse's melody arranged with the sound options and rendered offline through
// FluidSynth into a WAV file, faster than it plays and with no audio device or display; with
// --voice the verse sung on it, with --voice-only the voice alone. Part of the desktop program,
// which alone links the synthesizer and the voice.

#include "cli/commands.h"
#include "cli/piece_options.h"
#include "midi/midi_timing.h"
#include "piece/piece_files.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"
#include "voice/singer.h"

#include <filesystem>
#include <iostream>

namespace kvat::cli {
namespace {

// Pieces shorter than this render in a moment; longer ones show how far they are.
constexpr std::int64_t kQuietRenderMs = 60'000;

RenderProgress ProgressLine(const Run& run, std::int64_t lengthMs) {
    if (run.batch || lengthMs < kQuietRenderMs) return nullptr;
    return [output = run.options.output, &err = run.err](double done) {
        err << "\rkvat: audio: rendering " << output << ": " << static_cast<int>(done * 100) << "%"
            << (done >= 1 ? "\n" : "") << std::flush;
    };
}

} // namespace

int RunAudio(const Run& run) {
    const Options& options = run.options;
    if (options.output.empty() || options.output == "-") {
        run.Error("audio: no output file: give -o OUT.wav");
        return 2;
    }
    if (!options.soundfont.empty() && !std::filesystem::exists(options.soundfont)) {
        run.Error(options.soundfont + ": no such SoundFont file");
        return 2;
    }
    if (!options.soundfont.empty() && !IsSoundFontFile(options.soundfont)) {
        run.Error(options.soundfont + ": not a SoundFont file");
        return 2;
    }
    const auto soundFont =
        options.soundfont.empty() ? FindSoundFont() : std::filesystem::path(options.soundfont);
    if (!soundFont) {
        run.Error("audio: no SoundFont found: install a General MIDI SoundFont "
                  "(fluid-soundfont-gm or timgm6mb-soundfont), or give --soundfont FILE "
                  "or set KVAT_SOUNDFONT");
        return 1;
    }
    int status = 0;
    const auto piece = LoadPiece(run, true, status);
    if (!piece) return status;
    const TrackBytes midi = PieceMidi(*piece);
    const auto timing = ReadMidiTiming(midi);
    const auto progress = ProgressLine(run, timing ? LengthMs(*timing) : 0);
    const WavVoice voice{[&piece](int rate) { return SingPiece(*piece, rate); }, options.voiceOnly};
    const bool singing = piece->settings.sound.singing;
    std::string error;
    if (RenderMidiToWav(midi, *soundFont, options.output, progress, error,
                        singing ? &voice : nullptr))
        return 0;
    run.Error(error);
    return 1;
}

} // namespace kvat::cli
