// What a press of play costs before sound comes, and how fast the offline renderer runs.
// Figures: the SoundFont load (done once, off the window's thread), a 10 000-line verse from
// tokens to its first sounding sample, reading a file's timing, and the render speed as a
// multiple of real time.

#include "sound/fluid_engine.h"
#include "sound/fluid_sequencer.h"
#include "midi/midi_timing.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"
#include "midi/arrangement.h"
#include "midi/file_writer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> VerseTokens(int lines) {
    static const char* const line[] = {"60",  "64+", "67", "72+",  "62",
                                       "55+", "48",  "69", "71++", "0"};
    std::vector<std::string> tokens;
    for (int i = 0; i < lines; ++i) tokens.insert(tokens.end(), std::begin(line), std::end(line));
    return tokens;
}

fs::path BenchFile(const std::string& name) {
    return fs::temp_directory_path() / ("kvat-bench-" + std::to_string(getpid()) + "-" + name);
}

kvat::SoundSettings Everything() {
    kvat::SoundSettings settings;
    kvat::ApplyGroup(settings, 0);
    settings.drumsOn = true;
    settings.accompanimentOn = true;
    return settings;
}

void BM_SoundFontLoad(benchmark::State& state) {
    const auto soundFont = kvat::FindSoundFont();
    if (!soundFont) return state.SkipWithError("no SoundFont installed");
    for (auto _ : state) {
        auto engine = kvat::FluidEngine::Create(soundFont, kvat::AudioOutput::None);
        benchmark::DoNotOptimize(engine.get());
    }
    state.SetLabel(soundFont->filename().string());
}
BENCHMARK(BM_SoundFontLoad)->Unit(benchmark::kMillisecond);

// A fresh play of a 10 000-line verse as playback runs it, up to the first sample that sounds:
// arrangement, the file written, the player opened and started, blocks rendered until sound.
// The audio device's own buffer comes on top of this.
void BM_PressToFirstSound(benchmark::State& state) {
    auto engine = std::shared_ptr<kvat::FluidEngine>(
        kvat::FluidEngine::Create(kvat::FindSoundFont(), kvat::AudioOutput::None));
    kvat::FluidSequencer sequencer(kvat::ReadyEngine(engine));
    const auto tokens = VerseTokens(10'000);
    const auto settings = Everything();
    const fs::path file = BenchFile("press.mid");
    std::vector<float> left(64), right(64);
    for (auto _ : state) {
        sequencer.Stop();
        sequencer.Close();
        kvat::WriteFileAtomically(file, kvat::ArrangeMelody(tokens, settings));
        sequencer.Open(file);
        sequencer.Play(0);
        for (bool sounding = false; !sounding;) {
            engine->Render(left, right);
            for (float sample : left) sounding = sounding || std::abs(sample) > 1e-4f;
        }
    }
    fs::remove(file);
    state.counters["tokens"] = static_cast<double>(tokens.size());
}
BENCHMARK(BM_PressToFirstSound)->Unit(benchmark::kMillisecond);

void BM_ReadMidiTiming(benchmark::State& state) {
    const auto bytes = kvat::ArrangeMelody(VerseTokens(10'000), Everything());
    for (auto _ : state) benchmark::DoNotOptimize(kvat::ReadMidiTiming(bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadMidiTiming)->Unit(benchmark::kMillisecond);

// Twenty lines with every part on, rendered to a WAV file.
void BM_OfflineRender(benchmark::State& state) {
    const auto soundFont = kvat::FindSoundFont();
    if (!soundFont) return state.SkipWithError("no SoundFont installed");
    const auto midi = kvat::ArrangeMelody(VerseTokens(20), Everything());
    const double seconds = static_cast<double>(kvat::LengthMs(*kvat::ReadMidiTiming(midi))) / 1000;
    const fs::path wav = BenchFile("render.wav");
    std::string error;
    double spent = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        kvat::RenderMidiToWav(midi, *soundFont, wav, nullptr, error);
        spent += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    fs::remove(wav);
    state.counters["audio_s"] = seconds;
    state.counters["x_realtime"] = seconds * static_cast<double>(state.iterations()) / spent;
}
BENCHMARK(BM_OfflineRender)->Unit(benchmark::kMillisecond);

} // namespace
