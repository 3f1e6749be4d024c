// What a press of play costs before sound comes, and how fast the offline renderer runs: the
// SoundFont load (done once, off the window's thread), a 10 000-line verse from tokens to its
// first sounding sample, reading a file's timing, and rendering as a multiple of real time.

#include "generated.h"
#include "midi/arrangement.h"
#include "midi/file_writer.h"
#include "midi/midi_timing.h"
#include "sound/fluid_engine.h"
#include "sound/fluid_sequencer.h"
#include "sound/sound_font.h"
#include "sound/wav_render.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path BenchFile(const std::string& name) {
    return fs::temp_directory_path() / ("kvat-bench-" + std::to_string(getpid()) + "-" + name);
}

// Every part on.
kvat::TrackBytes Arranged(const std::vector<std::string>& tokens) {
    kvat::SoundSettings settings{.drumsOn = true, .accompanimentOn = true};
    kvat::ApplyGroup(settings, kvat::VoiceGroup::kStrings);
    return kvat::ArrangeMelody(tokens, settings);
}

void BM_SoundFontLoad(benchmark::State& state) {
    const auto soundFont = kvat::FindSoundFont();
    if (!soundFont) return state.SkipWithError("no SoundFont installed");
    for (auto _ : state) kvat::FluidEngine::Create(soundFont, kvat::AudioOutput::kNone);
    state.SetLabel(soundFont->filename().string());
}
BENCHMARK(BM_SoundFontLoad)->Unit(benchmark::kMillisecond);

// A fresh play as playback runs it, up to the first sample that sounds: arrangement, the file
// written, the player opened and started, blocks rendered until sound. The audio device's own
// buffer comes on top of this.
void BM_PressToFirstSound(benchmark::State& state) {
    auto engine = std::shared_ptr<kvat::FluidEngine>(
        kvat::FluidEngine::Create(kvat::FindSoundFont(), kvat::AudioOutput::kNone));
    kvat::FluidSequencer sequencer(kvat::ReadyEngine(engine));
    const fs::path file = BenchFile("press.mid");
    const auto tokens = kvat::bench::GeneratedTokens(10'000);
    std::vector<float> left(64), right(64);
    for (auto _ : state) {
        sequencer.Stop();
        sequencer.Close();
        kvat::WriteFileAtomically(file, Arranged(tokens));
        sequencer.Open(file);
        sequencer.Play(0);
        for (bool sounding = false; !sounding;) {
            engine->Render(left, right);
            for (float sample : left) sounding = sounding || std::abs(sample) > 1e-4f;
        }
    }
    fs::remove(file);
}
BENCHMARK(BM_PressToFirstSound)->Unit(benchmark::kMillisecond);

void BM_ReadMidiTiming(benchmark::State& state) {
    const auto bytes = Arranged(kvat::bench::GeneratedTokens(10'000));
    for (auto _ : state) benchmark::DoNotOptimize(kvat::ReadMidiTiming(bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadMidiTiming)->Unit(benchmark::kMillisecond);

// Twenty lines, rendered to a WAV file.
void BM_OfflineRender(benchmark::State& state) {
    const auto soundFont = kvat::FindSoundFont();
    if (!soundFont) return state.SkipWithError("no SoundFont installed");
    const auto midi = Arranged(kvat::bench::GeneratedTokens(20));
    const double seconds = static_cast<double>(kvat::LengthMs(*kvat::ReadMidiTiming(midi))) / 1000;
    const fs::path wav = BenchFile("render.wav");
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) kvat::RenderMidiToWav(midi, *soundFont, wav, nullptr, error);
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    fs::remove(wav);
    state.counters["audio_s"] = seconds;
    state.counters["x_realtime"] =
        seconds * static_cast<double>(state.iterations()) / spent.count();
}
BENCHMARK(BM_OfflineRender)->Unit(benchmark::kMillisecond);

} // namespace
