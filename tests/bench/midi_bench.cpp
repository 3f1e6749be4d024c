// A 10 000-line verse's melody to MIDI file bytes with every voice, the drums and the
// accompaniment on. Budget: under 50 ms.

#include "midi/arrangement.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Nine syllables a line, the ictuses marked, the line-final one long, then the line's rest:
// the shape the melody methods give, with notes over the whole range (some without a chord).
std::vector<std::string> VerseTokens(int lines) {
    static const char* const line[] = {"60",  "64+", "67",  "72+",  "61",
                                       "55+", "48",  "83+", "95++", "0"};
    std::vector<std::string> tokens;
    tokens.reserve(static_cast<std::size_t>(lines) * std::size(line));
    for (int i = 0; i < lines; ++i) tokens.insert(tokens.end(), std::begin(line), std::end(line));
    return tokens;
}

void BM_ArrangeMelodyEverythingOn(benchmark::State& state) {
    const auto tokens = VerseTokens(10'000);
    kvat::SoundSettings settings;
    kvat::ApplyGroup(settings, 0);
    settings.drumsOn = true;
    settings.drumMap = 3;
    settings.accompanimentOn = true;
    settings.numerator = 3;
    settings.denominator = 4;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto file = kvat::ArrangeMelody(tokens, settings);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["tokens"] = static_cast<double>(tokens.size());
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ArrangeMelodyEverythingOn)->Unit(benchmark::kMillisecond);

} // namespace
