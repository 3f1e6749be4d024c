#pragma once
// FluidSynth's synthesizer with the SoundFont loaded and, for live sound, an audio driver
// pulling samples from it. Playback's file player and the live preview both play through it.
// The library's types stay opaque here: only the .cpp files that call FluidSynth include it.

#include "sound/short_message.h"
#include "sound/voice_mix.h"

#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>

struct _fluid_hashtable_t; // fluid_settings_t
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace kvat {

enum class AudioOutput {
    // The first audio driver that opens, of pulseaudio, pipewire and alsa. When none does, a
    // clock of the engine's own renders into nothing at the device's pace, so playback still
    // runs, silently.
    kDevice,
    // No driver: whoever holds the engine renders the samples (offline rendering, tests), and
    // the file player's time advances with them.
    kNone,
};

class FluidEngine {
public:
    // Nothing only when FluidSynth cannot make a synthesizer. A SoundFont that is missing or
    // will not load leaves an engine that plays silence.
    static std::unique_ptr<FluidEngine>
    Create(const std::optional<std::filesystem::path>& soundFont, AudioOutput output);
    ~FluidEngine();
    FluidEngine(const FluidEngine&) = delete;
    FluidEngine& operator=(const FluidEngine&) = delete;

    bool HasSoundFont() const { return soundFont_; }
    int SampleRate() const;

    // Plays one channel message at once.
    void Send(const ShortMessage& message);
    // Releases every sounding note on every channel, the sustain pedal included.
    void Silence();
    // The sung voice along with the sound, from the track's frame `from` on, until another track
    // or none is given: in the device's sound, or in what Render renders.
    void SingAlong(std::shared_ptr<const VoiceTrack> track, std::int64_t from = 0);

    // Renders the next left.size() frames, advancing the synthesizer's time and any file player
    // on it. Only for an engine made without an audio device; the spans are of equal size.
    void Render(std::span<float> left, std::span<float> right);

    _fluid_synth_t* Synth() const { return synth_.get(); }
    // Held while a file player on this synthesizer is made, started, stopped or deleted.
    // FluidSynth's player keeps time inside the rendering and frees its tracks before it stops
    // its clock, so a player deleted while the device renders can be read after it is gone.
    [[nodiscard]] std::unique_lock<std::mutex> HoldRendering() {
        return std::unique_lock(renderLock_);
    }

private:
    struct Deleter {
        void operator()(_fluid_hashtable_t* settings) const;
        void operator()(_fluid_synth_t* synth) const;
        void operator()(_fluid_audio_driver_t* driver) const;
    };
    FluidEngine() = default;
    void OpenAudioDevice();
    // The voice's next frames added to the synthesizer's.
    void MixVoice(std::span<float> left, std::span<float> right);
    // The device's callback: the synthesizer's samples, then the voice's.
    static int Process(void* engine, int frames, int fxCount, float* fx[], int outCount,
                       float* out[]);
    // Without a device: renders into nothing at the device's pace until the engine goes.
    void RunSilentClock(std::stop_token stop);

    // Destroyed in reverse: the driver stops pulling before the synthesizer goes.
    std::unique_ptr<_fluid_hashtable_t, Deleter> settings_;
    std::unique_ptr<_fluid_synth_t, Deleter> synth_;
    std::unique_ptr<_fluid_audio_driver_t, Deleter> driver_;
    std::mutex renderLock_; // held for each block rendered, and by HoldRendering
    bool soundFont_ = false;
    std::mutex voiceLock_; // held by the device's thread for a block's mixing at most
    std::shared_ptr<const VoiceTrack> voice_;
    std::int64_t voiceFrame_ = 0;
    std::jthread silentClock_; // last, so it stops before anything it renders with goes
};

// The engine being made on a worker thread: loading a SoundFont takes long enough to be felt,
// so the window starts without waiting and the first play finds it ready. Holds nothing when
// no synthesizer could be made. Nothing waits for the worker: the future dropped before it is
// ready leaves the load to end on its own, or with the process.
using EngineFuture = std::shared_future<std::shared_ptr<FluidEngine>>;
EngineFuture StartEngine(std::optional<std::filesystem::path> soundFont, AudioOutput output);
// An engine already made, in the same wrapping.
EngineFuture ReadyEngine(std::shared_ptr<FluidEngine> engine);

} // namespace kvat
