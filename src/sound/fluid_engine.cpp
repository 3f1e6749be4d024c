#include "sound/fluid_engine.h"

#include "midi/status_bytes.h"
#include "sound/quiet_alsa.h"

#include <fluidsynth.h>

#include <array>
#include <chrono>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

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

FluidEngine::~FluidEngine() {
    // Nothing renders once the members start to go, the locks among them.
    silentClock_ = {};
    driver_.reset();
}

void FluidEngine::OpenAudioDevice() {
    SilenceAlsaErrors(); // FluidSynth's ALSA driver opens through libasound
    // Only a driver that calls back renders under the engine's lock, which a player's deletion
    // needs; each of the three does in the FluidSynth this is built with.
    for (const char* name : kAudioDrivers) {
        fluid_settings_setstr(settings_.get(), "audio.driver", name);
        driver_.reset(new_fluid_audio_driver2(settings_.get(), Process, this));
        if (driver_) return;
    }
    silentClock_ = std::jthread([this](std::stop_token stop) { RunSilentClock(stop); });
}

void FluidEngine::RunSilentClock(std::stop_token stop) {
    constexpr auto kBlock = std::chrono::milliseconds(10);
    const auto frames = static_cast<std::size_t>(SampleRate() / 100);
    std::vector<float> left(frames), right(frames);
    for (auto next = std::chrono::steady_clock::now(); !stop.stop_requested();) {
        {
            const std::lock_guard lock(renderLock_);
            fluid_synth_write_float(synth_.get(), static_cast<int>(frames), left.data(), 0, 1,
                                    right.data(), 0, 1);
        }
        next += kBlock;
        std::this_thread::sleep_until(next);
    }
}

int FluidEngine::Process(void* data, int frames, int fxCount, float* fx[], int outCount,
                         float* out[]) {
    auto* engine = static_cast<FluidEngine*>(data);
    const std::lock_guard lock(engine->renderLock_);
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
    if (driver_ || silentClock_.joinable() || left.size() != right.size()) return;
    const std::lock_guard lock(renderLock_);
    fluid_synth_write_float(synth_.get(), static_cast<int>(left.size()), left.data(), 0, 1,
                            right.data(), 0, 1);
    MixVoice(left, right);
}

EngineFuture StartEngine(std::optional<std::filesystem::path> soundFont, AudioOutput output) {
    std::promise<std::shared_ptr<FluidEngine>> made;
    EngineFuture engine = made.get_future().share();
    // Detached, unlike std::async, whose future waits for its thread: a window closed while a
    // large SoundFont still loads (a second or two on a busy machine) ends at once, and the
    // load ends with the process.
    std::thread([made = std::move(made), soundFont = std::move(soundFont), output]() mutable {
        made.set_value(std::shared_ptr<FluidEngine>(FluidEngine::Create(soundFont, output)));
    }).detach();
    return engine;
}

EngineFuture ReadyEngine(std::shared_ptr<FluidEngine> engine) {
    std::promise<std::shared_ptr<FluidEngine>> made;
    made.set_value(std::move(engine));
    return made.get_future().share();
}

} // namespace kvat
