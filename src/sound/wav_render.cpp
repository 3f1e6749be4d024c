#include "sound/wav_render.h"

#include "midi/file_writer.h"
#include "midi/midi_timing.h"
#include "sound/fluid_engine.h"
#include "sound/voice_mix.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace kvat {
namespace {

struct PlayerDeleter {
    void operator()(fluid_player_t* player) const { delete_fluid_player(player); }
};
using Player = std::unique_ptr<fluid_player_t, PlayerDeleter>;

// How many frames the file lasts at the engine's rate, rounded up to whole frames.
std::int64_t FramesOf(const MidiTiming& timing, int rate) {
    const std::int64_t micros = timing.lengthTicks * timing.microsPerQuarter / timing.division;
    return (micros * rate + 999'999) / 1'000'000;
}

constexpr int kProgressSteps = 100;

// A WAV file counts its bytes in 32 bits. Rendered as 16-bit stereo, that holds 6 h 45 min at
// 44.1 kHz; a longer melody is refused at once rather than after hours of rendering.
constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr std::int64_t kBytesPerFrame = kChannels * kBytesPerSample;
constexpr std::int64_t kHeaderBytes = 44;
constexpr std::int64_t kLargestWavData = 0xFFFF'FFFFLL - (kHeaderBytes - 8);

// Frames rendered at a time: large enough to keep the calls few, small enough to stay in cache.
constexpr int kChunkFrames = 4096;
// The ringing out is checked this often: FluidSynth's own block.
constexpr int kTailFrames = 64;
// Pieces up to this long keep the first pass's samples (about 21 MB a minute) and write them;
// longer ones are rendered a second time instead, so memory stays flat however long they are.
constexpr int kMostKeptSeconds = 600;
// Where the loudest sample lands: 1 dB below full scale leaves room for the converters that
// overshoot between samples, and no sample reaches full scale.
constexpr double kPeakDbfs = -1;
constexpr double kFullScale = 32767;

std::string HoursAndMinutes(std::int64_t seconds) {
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds / 60 % 60) + " min";
}

bool Fail(std::string& error, std::string why) {
    error = std::move(why);
    return false;
}

// The voice a pass sings with its instruments, or instead of them.
struct PassVoice {
    std::shared_ptr<const VoiceTrack> track;
    bool alone = false;
};

// One run of the file through a fresh synthesizer. Two passes start from the same state, so
// they render the same samples.
struct Pass {
    std::unique_ptr<FluidEngine> engine;
    Player player;
    std::vector<float> left = std::vector<float>(kChunkFrames);
    std::vector<float> right = std::vector<float>(kChunkFrames);

    PassVoice voice;
    std::int64_t frame = 0; // rendered so far

    std::span<const float> Left(int frames) const { return {left.data(), std::size_t(frames)}; }
    std::span<const float> Right(int frames) const { return {right.data(), std::size_t(frames)}; }
    void Render(int frames) {
        const auto l = std::span(left).first(std::size_t(frames));
        const auto r = std::span(right).first(std::size_t(frames));
        engine->Render(l, r);
        if (voice.alone) {
            std::fill(l.begin(), l.end(), 0.0F);
            std::fill(r.begin(), r.end(), 0.0F);
            voice.track->MixInto(frame, l, r);
        }
        frame += frames;
    }
    // The voice sung along as playback sings it; alone, the instruments still play unheard, so
    // that the sound lasts as long as theirs.
    void Sing(const PassVoice& sung) {
        voice = sung;
        if (voice.track && !voice.alone) engine->SingAlong(voice.track);
    }
    bool Ringing() const { return fluid_synth_get_active_voice_count(engine->Synth()) > 0; }
};

// Nothing, with `error` set, when the synthesizer, the SoundFont or the player fails.
std::optional<Pass> StartPass(std::span<const std::uint8_t> midi,
                              const std::filesystem::path& soundFont, std::string& error,
                              PassVoice voice = {}) {
    Pass pass;
    pass.engine = FluidEngine::Create(soundFont, AudioOutput::kNone);
    if (!pass.engine)
        error = "FluidSynth could not make a synthesizer";
    else if (!pass.engine->HasSoundFont())
        error = soundFont.string() + ": not a SoundFont FluidSynth can load";
    else
        pass.player.reset(new_fluid_player(pass.engine->Synth()));
    if (!error.empty()) return std::nullopt;
    if (!pass.player || fluid_player_add_mem(pass.player.get(), midi.data(), midi.size()) != 0 ||
        fluid_player_play(pass.player.get()) != FLUID_OK) {
        error = "FluidSynth could not play the MIDI data";
        return std::nullopt;
    }
    pass.Sing(voice);
    return pass;
}

// Reports whole per cents of the passes together, each once; the last is left to the end, since
// the ringing out makes the writing a little longer than the first pass's estimate.
class Progress {
public:
    Progress(const RenderProgress& report, std::int64_t total) : report_(report), total_(total) {}
    void At(std::int64_t done) {
        const int step = static_cast<int>(std::min<std::int64_t>(
            done * kProgressSteps / std::max<std::int64_t>(total_, 1), kProgressSteps - 1));
        if (!report_ || step == reported_) return;
        reported_ = step;
        report_(static_cast<double>(step) / kProgressSteps);
    }

private:
    const RenderProgress& report_;
    std::int64_t total_;
    int reported_ = -1;
};

float PeakOf(std::span<const float> samples) {
    float peak = 0;
    for (float sample : samples) peak = std::max(peak, std::abs(sample));
    return peak;
}

struct Measure {
    std::int64_t frames = 0; // the file's length and its ringing out
    float peak = 0;
};

struct KeptSamples {
    std::vector<float> left, right;
};

// The first pass: how long the sound lasts and how loud it gets, and its samples when `kept`.
Measure MeasureSound(Pass& pass, std::int64_t fileFrames, int rate, Progress& progress,
                     KeptSamples* kept) {
    Measure measure;
    const auto take = [&](int frames) {
        pass.Render(frames);
        measure.peak =
            std::max({measure.peak, PeakOf(pass.Left(frames)), PeakOf(pass.Right(frames))});
        measure.frames += frames;
        if (!kept) return;
        kept->left.insert(kept->left.end(), pass.Left(frames).begin(), pass.Left(frames).end());
        kept->right.insert(kept->right.end(), pass.Right(frames).begin(), pass.Right(frames).end());
    };
    for (std::int64_t done = 0; done < fileFrames; done += kChunkFrames) {
        take(static_cast<int>(std::min<std::int64_t>(kChunkFrames, fileFrames - done)));
        progress.At(done);
    }
    for (int tail = 0; tail < rate && pass.Ringing(); tail += kTailFrames) take(kTailFrames);
    return measure;
}

void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The canonical 44-byte header of 16-bit stereo PCM.
std::vector<std::uint8_t> WavHeader(std::int64_t frames, int rate) {
    const auto data = static_cast<std::uint32_t>(frames * kBytesPerFrame);
    std::vector<std::uint8_t> header = {'R', 'I', 'F', 'F'};
    AppendLittleEndian(header, data + kHeaderBytes - 8, 4);
    header.insert(header.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    AppendLittleEndian(header, 16, 4);
    AppendLittleEndian(header, 1, 2); // PCM
    AppendLittleEndian(header, kChannels, 2);
    AppendLittleEndian(header, static_cast<std::uint32_t>(rate), 4);
    AppendLittleEndian(header, static_cast<std::uint32_t>(rate * kBytesPerFrame), 4);
    AppendLittleEndian(header, kBytesPerFrame, 2);
    AppendLittleEndian(header, 8 * kBytesPerSample, 2);
    header.insert(header.end(), {'d', 'a', 't', 'a'});
    AppendLittleEndian(header, data, 4);
    return header;
}

// The samples scaled and written block by block, from those kept or from a second pass.
bool WriteSound(const KeptSamples* kept, Pass* second, std::int64_t total, double gain,
                AtomicFile& file, Progress& progress, std::int64_t progressStart) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kChunkFrames * kBytesPerFrame);
    const auto sample = [&](float value) {
        const double scaled = std::clamp(std::round(value * gain), -kFullScale, kFullScale);
        AppendLittleEndian(bytes, static_cast<std::uint32_t>(static_cast<std::int16_t>(scaled)),
                           kBytesPerSample);
    };
    for (std::int64_t done = 0; done < total; done += kChunkFrames) {
        const int frames = static_cast<int>(std::min<std::int64_t>(kChunkFrames, total - done));
        if (second) second->Render(frames);
        const float* left = kept ? kept->left.data() + done : second->left.data();
        const float* right = kept ? kept->right.data() + done : second->right.data();
        bytes.clear();
        for (int i = 0; i < frames; ++i) {
            sample(left[i]);
            sample(right[i]);
        }
        if (!file.Write(bytes)) return false;
        progress.At(progressStart + done);
    }
    return true;
}

} // namespace

std::int64_t LongestWavSeconds(int rate) {
    return kLargestWavData / kBytesPerFrame / rate - 1;
}

bool RenderMidiToWav(std::span<const std::uint8_t> midi, const std::filesystem::path& soundFont,
                     const std::filesystem::path& wav, const RenderProgress& progress,
                     std::string& error, const WavVoice* voice) {
    const auto timing = ReadMidiTiming(midi);
    if (!timing) return Fail(error, "the MIDI data is not a Standard MIDI File");
    auto first = StartPass(midi, soundFont, error);
    if (!first) return false;
    const int rate = first->engine->SampleRate();
    const std::int64_t frames = FramesOf(*timing, rate);
    if ((frames + rate) * kBytesPerFrame > kLargestWavData) // with the second of ringing out
        return Fail(error, wav.string() + ": the melody lasts " + HoursAndMinutes(frames / rate) +
                               ", more than a WAV file holds (" +
                               HoursAndMinutes(kLargestWavData / kBytesPerFrame / rate) + ")");
    // Opened first, so an unwritable target is known before any rendering.
    AtomicFile file(wav);
    if (!file.Error().empty()) return Fail(error, file.Error());
    PassVoice passVoice;
    if (voice) {
        auto sung = voice->sing(rate);
        if (!sung)
            return Fail(error,
                        "espeak-ng cannot sing: install espeak-ng-data with its Russian voice");
        passVoice = {std::make_shared<VoiceTrack>(std::move(*sung), rate), voice->alone};
        first->Sing(passVoice);
    }

    const bool keep = frames + rate <= std::int64_t{kMostKeptSeconds} * rate;
    KeptSamples kept;
    if (keep) {
        kept.left.reserve(static_cast<std::size_t>(frames + rate));
        kept.right.reserve(static_cast<std::size_t>(frames + rate));
    }
    Progress steps(progress, keep ? frames : 2 * frames);
    const Measure measure = MeasureSound(*first, frames, rate, steps, keep ? &kept : nullptr);
    first.reset();
    std::optional<Pass> second;
    if (!keep && !(second = StartPass(midi, soundFont, error, passVoice))) return false;
    const double gain =
        measure.peak > 0 ? kFullScale * std::pow(10.0, kPeakDbfs / 20) / measure.peak : kFullScale;
    if (!file.Write(WavHeader(measure.frames, rate)) ||
        !WriteSound(keep ? &kept : nullptr, second ? &*second : nullptr, measure.frames, gain, file,
                    steps, frames) ||
        !file.Commit())
        return Fail(error, file.Error());
    if (progress) progress(1.0);
    return true;
}

} // namespace kvat
