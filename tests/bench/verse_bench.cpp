// Analysis and syllable division of a long generated verse.

#include "verse/analysis.h"
#include "verse/syllables.h"

#include "generated_verse.h"

#include <benchmark/benchmark.h>

namespace {

void AnalyseAndDivide(benchmark::State& state) {
    const auto lines = kvat::bench::GeneratedVerse(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kvat::AnalyseVerse(lines, U','));
        benchmark::DoNotOptimize(kvat::DivideSyllables(lines));
    }
}
BENCHMARK(AnalyseAndDivide)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {
void AnalyseOnly(benchmark::State& state) {
    const auto lines = kvat::bench::GeneratedVerse(10000);
    for (auto _ : state) benchmark::DoNotOptimize(kvat::AnalyseVerse(lines, U','));
}
BENCHMARK(AnalyseOnly)->Unit(benchmark::kMillisecond);
void DivideOnly(benchmark::State& state) {
    const auto lines = kvat::bench::GeneratedVerse(10000);
    for (auto _ : state) benchmark::DoNotOptimize(kvat::DivideSyllables(lines));
}
BENCHMARK(DivideOnly)->Unit(benchmark::kMillisecond);
}
