#include "sound/fluid_engine.h"

#include "midi/status_bytes.h"
#include "sound/quiet_alsa.h"

#include <fluidsynth.h>

#include <array>
#include <mutex>
#include <string_view>

namespace kvat {
namespace {

// Tried in this order; a name this build of FluidSynth lacks simply fails to open.
constexpr std::array<const char*, 3> kAudioDrivers = {"pulseaudio", "pipewire", "alsa"};

// FluidSynth reports every failed driver and missing preset on standard error. The program
// copes with each of them quietly, and the command line keeps standard error for its own
// messages, so only a panic is let through.
void QuietFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(
                level, [](int, const char*, void*) {}, nullptr);
    });
}

} // namespace

void FluidEngine::Deleter::operator()(fluid_settings_t* settings) const {
    delete_fluid_settings(settings);
}
void FluidEngine::Deleter::operator()(fluid_synth_t* synth) const {
    delete_fluid_synth(synth);
}
void FluidEngine::Deleter::operator()(fluid_audio_driver_t* driver) const {
    delete_fluid_audio_driver(driver);
}

std::unique_ptr<FluidEngine>
FluidEngine::Create(const std::optional<std::filesystem::path>& soundFont, AudioOutput output) {
    QuietFluidLog();
    std::unique_ptr<FluidEngine> engine(new FluidEngine);
    engine->settings_.reset(new_fluid_settings());
    if (!engine->settings_) return nullptr;
    engine->synth_.reset(new_fluid_synth(engine->settings_.get()));
    if (!engine->synth_) return nullptr;
    if (soundFont)
        engine->soundFont_ =
            fluid_synth_sfload(engine->synth_.get(), soundFont->c_str(), 1) != FLUID_FAILED;
    if (output == AudioOutput::kDevice) engine->OpenAudioDevice();
    return engine;
}

FluidEngine::~FluidEngine() = default;

void FluidEngine::OpenAudioDevice() {
    SilenceAlsaErrors(); // FluidSynth's ALSA driver opens through libasound
    // A driver that takes no callback still sounds the synthesizer, without the voice.
    for (const bool callback : {true, false})
        for (const char* name : kAudioDrivers) {
            fluid_settings_setstr(settings_.get(), "audio.driver", name);
            driver_.reset(callback ? new_fluid_audio_driver2(settings_.get(), Process, this)
                                   : new_fluid_audio_driver(settings_.get(), synth_.get()));
            if (driver_) return;
        }
    // Nothing pulls samples, so the sample clock would stand still: players made from now on
    // follow the system clock.
    fluid_settings_setstr(settings_.get(), "player.timing-source", "system");
}

int FluidEngine::Process(void* data, int frames, int fxCount, float* fx[], int outCount,
                         float* out[]) {
    auto* engine = static_cast<FluidEngine*>(data);
    if (outCount < 2)
        return fluid_synth_process(engine->synth_.get(), frames, fxCount, fx, outCount, out);
    // The drivers give no effects buffers of their own: the reverb and chorus go to the dry ones.
    float* dry[] = {out[0], out[1], out[0], out[1]};
    const int status =
        fxCount > 0 ? fluid_synth_process(engine->synth_.get(), frames, fxCount, fx, outCount, out)
                    : fluid_synth_process(engine->synth_.get(), frames, 4, dry, outCount, out);
    const auto n = static_cast<std::size_t>(frames);
    engine->MixVoice({out[0], n}, {out[1], n});
    return status;
}

void FluidEngine::MixVoice(std::span<float> left, std::span<float> right) {
    const std::lock_guard lock(voiceLock_);
    if (!voice_) return;
    voice_->MixInto(voiceFrame_, left, right);
    voiceFrame_ += static_cast<std::int64_t>(left.size());
}

void FluidEngine::SingAlong(std::shared_ptr<const VoiceTrack> track, std::int64_t from) {
    {
        const std::lock_guard lock(voiceLock_);
        voice_.swap(track);
        voiceFrame_ = from;
    }
    // The track let go here, never on the device's thread.
}

int FluidEngine::SampleRate() const {
    double rate = 44100;
    fluid_settings_getnum(settings_.get(), "synth.sample-rate", &rate);
    return static_cast<int>(rate);
}

void FluidEngine::Send(const ShortMessage& message) {
    fluid_synth_t* synth = synth_.get();
    const int channel = midi::StatusChannel(message.status);
    switch (midi::StatusKind(message.status)) {
    case midi::kNoteOff:
        fluid_synth_noteoff(synth, channel, message.data1);
        break;
    case midi::kNoteOn:
        if (message.data2 == 0)
            fluid_synth_noteoff(synth, channel, message.data1);
        else
            fluid_synth_noteon(synth, channel, message.data1, message.data2);
        break;
    case midi::kControlChange:
        fluid_synth_cc(synth, channel, message.data1, message.data2);
        break;
    case midi::kProgramChange:
        fluid_synth_program_change(synth, channel, message.data1);
        break;
    case midi::kPitchBend:
        fluid_synth_pitch_bend(synth, channel, message.data1 | message.data2 << 7);
        break;
    default:
        break; // nothing else is ever sent
    }
}

void FluidEngine::Silence() {
    constexpr int kChannels = 16;
    for (int channel = 0; channel < kChannels; ++channel)
        fluid_synth_cc(synth_.get(), channel, midi::kSustainPedal, 0);
    // Stop means silence now: every voice ends without its release.
    fluid_synth_all_sounds_off(synth_.get(), -1);
}

void FluidEngine::Render(std::span<float> left, std::span<float> right) {
    if (driver_ || left.size() != right.size()) return;
    fluid_synth_write_float(synth_.get(), static_cast<int>(left.size()), left.data(), 0, 1,
                            right.data(), 0, 1);
    MixVoice(left, right);
}

EngineFuture StartEngine(std::optional<std::filesystem::path> soundFont, AudioOutput output) {
    return std::async(std::launch::async,
                      [soundFont = std::move(soundFont), output] {
                          return std::shared_ptr<FluidEngine>(
                              FluidEngine::Create(soundFont, output));
                      })
        .share();
}

EngineFuture ReadyEngine(std::shared_ptr<FluidEngine> engine) {
    std::promise<std::shared_ptr<FluidEngine>> made;
    made.set_value(std::move(engine));
    return made.get_future().share();
}

} // namespace kvat
