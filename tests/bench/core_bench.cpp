// The core over a generated 10 000-line verse: analysis, rhymes, syllable division, each melody
// method, the score layout, and the arrangement into MIDI bytes with every part on.

#include "generated.h"
#include "melody/melody.h"
#include "midi/arrangement.h"
#include "score/score_layout.h"
#include "verse/analysis.h"
#include "verse/rhymes.h"
#include "verse/syllables.h"

#include <benchmark/benchmark.h>

namespace {

const kvat::Lines& Verse() {
    static const kvat::Lines lines = kvat::bench::GeneratedVerse(10000);
    return lines;
}

void BM_Analyse(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kvat::AnalyseVerse(Verse(), U','));
}
BENCHMARK(BM_Analyse)->Unit(benchmark::kMillisecond);

void BM_FindRhymes(benchmark::State& state) {
    const auto stress = kvat::AnalyseVerse(Verse(), U',').stress;
    for (auto _ : state) benchmark::DoNotOptimize(kvat::FindRhymes(Verse(), stress));
}
BENCHMARK(BM_FindRhymes)->Unit(benchmark::kMillisecond);

void BM_DivideSyllables(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kvat::DivideSyllables(Verse()));
}
BENCHMARK(BM_DivideSyllables)->Unit(benchmark::kMillisecond);

void BM_Melody(benchmark::State& state) {
    const kvat::MetreState metre{kvat::BuildMetreTemplates(), kvat::kIamb};
    kvat::MelodySettings settings;
    settings.method = static_cast<kvat::Method>(state.range(0));
    settings.noteMap = {0, 3, 7, 12, 14, 19, 23, -1, 5, 9};
    for (auto _ : state) benchmark::DoNotOptimize(kvat::GenerateMelody(Verse(), metre, settings));
}
BENCHMARK(BM_Melody)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

void BM_LayoutScore(benchmark::State& state) {
    const kvat::DividedText divided = kvat::DivideSyllables(Verse());
    std::vector<std::u32string_view> rows;
    for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.push_back(divided.Row(k));
    const auto melody =
        kvat::GenerateMelody(Verse(), {kvat::BuildMetreTemplates(), kvat::kIamb}, {});
    const auto tokenTexts = kvat::MelodyTokens(melody->text);
    const std::vector<std::string_view> tokens(tokenTexts.begin(), tokenTexts.end());
    for (auto _ : state) benchmark::DoNotOptimize(kvat::LayoutScore(rows, tokens, {}, {}));
    state.counters["tokens"] = static_cast<double>(tokens.size());
}
BENCHMARK(BM_LayoutScore)->Unit(benchmark::kMillisecond);

// Drums on every token, chords in 3/4.
void BM_ArrangeMelodyEverythingOn(benchmark::State& state) {
    const auto tokens = kvat::bench::GeneratedTokens(10'000);
    kvat::SoundSettings settings{
        .numerator = 3, .denominator = 4, .drumsOn = true, .drumMap = 3, .accompanimentOn = true};
    kvat::ApplyGroup(settings, kvat::VoiceGroup::kStrings);
    std::size_t bytes = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(bytes = kvat::ArrangeMelody(tokens, settings).size());
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ArrangeMelodyEverythingOn)->Unit(benchmark::kMillisecond);

} // namespace
