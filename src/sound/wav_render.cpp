#include "sound/wav_render.h"

#include "sound/fluid_engine.h"
#include "midi/midi_timing.h"

#include <fluidsynth.h>

#include <memory>
#include <system_error>

namespace kvat {
namespace {

struct PlayerDeleter {
    void operator()(fluid_player_t* player) const { delete_fluid_player(player); }
};
struct RendererDeleter {
    void operator()(fluid_file_renderer_t* renderer) const { delete_fluid_file_renderer(renderer); }
};

// How many frames the file lasts at the engine's rate, rounded up to whole frames.
std::int64_t FramesOf(const MidiTiming& timing, int rate) {
    const std::int64_t micros = timing.lengthTicks * timing.microsPerQuarter / timing.division;
    return (micros * rate + 999'999) / 1'000'000;
}

constexpr int kProgressSteps = 100;

// A WAV file counts its bytes in 32 bits. Rendered as 16-bit stereo, that holds 6 h 45 min at
// 44.1 kHz; a longer melody is refused at once rather than after hours of rendering.
constexpr std::int64_t kBytesPerFrame = 4;
constexpr std::int64_t kLargestWavData = 0xFFFF'FFFFLL - 36; // the header's own bytes

std::string HoursAndMinutes(std::int64_t seconds) {
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds / 60 % 60) + " min";
}

bool Fail(std::string& error, std::string why) {
    error = std::move(why);
    return false;
}

// Renders block after block until `frames` are written; false when a block fails.
bool RenderFrames(fluid_file_renderer_t* renderer, std::int64_t frames, int block,
                  const RenderProgress& progress) {
    int reported = -1;
    for (std::int64_t done = 0; done < frames; done += block) {
        if (fluid_file_renderer_process_block(renderer) != FLUID_OK) return false;
        const int step = static_cast<int>(done * kProgressSteps / frames);
        if (!progress || step == reported) continue;
        reported = step;
        progress(static_cast<double>(step) / kProgressSteps);
    }
    return true;
}

// Lets the notes still sounding at the file's end ring out, for a second at most.
bool RingOut(fluid_file_renderer_t* renderer, fluid_synth_t* synth, int rate, int block) {
    for (int tail = 0; tail < rate && fluid_synth_get_active_voice_count(synth) > 0; tail += block)
        if (fluid_file_renderer_process_block(renderer) != FLUID_OK) return false;
    return true;
}

} // namespace

bool RenderMidiToWav(std::span<const std::uint8_t> midi, const std::filesystem::path& soundFont,
                     const std::filesystem::path& wav, const RenderProgress& progress,
                     std::string& error) {
    const auto timing = ReadMidiTiming(midi);
    if (!timing) return Fail(error, "the MIDI data is not a Standard MIDI File");
    const auto engine = FluidEngine::Create(soundFont, AudioOutput::None);
    if (!engine) return Fail(error, "FluidSynth could not make a synthesizer");
    if (!engine->HasSoundFont())
        return Fail(error, soundFont.string() + ": not a SoundFont FluidSynth can load");
    const int rate = engine->SampleRate();
    const std::int64_t frames = FramesOf(*timing, rate);
    if ((frames + rate) * kBytesPerFrame > kLargestWavData) // with the second of ringing out
        return Fail(error, wav.string() + ": the melody lasts " + HoursAndMinutes(frames / rate) +
                               ", more than a WAV file holds (" +
                               HoursAndMinutes(kLargestWavData / kBytesPerFrame / rate) + ")");

    // Written beside the target and renamed at the end, so a failed render leaves no half file.
    std::filesystem::path partial = wav;
    partial += ".part";
    fluid_settings_t* settings = fluid_synth_get_settings(engine->Synth());
    fluid_settings_setstr(settings, "audio.file.name", partial.c_str());
    fluid_settings_setstr(settings, "audio.file.type", "wav");
    int block = 64;
    fluid_settings_getint(settings, "audio.period-size", &block);

    std::unique_ptr<fluid_player_t, PlayerDeleter> player(new_fluid_player(engine->Synth()));
    if (!player || fluid_player_add_mem(player.get(), midi.data(), midi.size()) != FLUID_OK ||
        fluid_player_play(player.get()) != FLUID_OK)
        return Fail(error, "FluidSynth could not play the MIDI data");
    std::unique_ptr<fluid_file_renderer_t, RendererDeleter> renderer(
        new_fluid_file_renderer(engine->Synth()));
    if (!renderer) return Fail(error, wav.string() + ": cannot be written");

    const bool rendered = RenderFrames(renderer.get(), frames, block, progress) &&
                          RingOut(renderer.get(), engine->Synth(), rate, block);
    renderer.reset(); // closes the file
    player.reset();

    std::error_code fault;
    if (rendered) std::filesystem::rename(partial, wav, fault);
    if (!rendered || fault) {
        std::filesystem::remove(partial, fault);
        return Fail(error, wav.string() + ": cannot be written");
    }
    if (progress) progress(1.0);
    return true;
}

} // namespace kvat
