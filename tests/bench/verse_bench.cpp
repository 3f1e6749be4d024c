// Analysis and syllable division of a long generated verse.

#include "verse/analysis.h"
#include "verse/syllables.h"

#include <benchmark/benchmark.h>

namespace {

kvat::Lines GeneratedVerse(std::size_t count) {
    static const std::u32string kLines[] = {
        U"Мой дядя самых честных правил,", U"Когда не в шутку занемог,",
        U"Он уважать себя заставил", U"И лучше выдумать не мог."};
    kvat::Lines lines;
    for (std::size_t i = 0; i < count; ++i) lines.push_back(kLines[i % 4]);
    return lines;
}

void AnalyseAndDivide(benchmark::State& state) {
    const auto lines = GeneratedVerse(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kvat::AnalyseVerse(lines, U','));
        benchmark::DoNotOptimize(kvat::DivideSyllables(lines));
    }
}
BENCHMARK(AnalyseAndDivide)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {
void AnalyseOnly(benchmark::State& state) {
    const auto lines = GeneratedVerse(10000);
    for (auto _ : state) benchmark::DoNotOptimize(kvat::AnalyseVerse(lines, U','));
}
BENCHMARK(AnalyseOnly)->Unit(benchmark::kMillisecond);
void DivideOnly(benchmark::State& state) {
    const auto lines = GeneratedVerse(10000);
    for (auto _ : state) benchmark::DoNotOptimize(kvat::DivideSyllables(lines));
}
BENCHMARK(DivideOnly)->Unit(benchmark::kMillisecond);
}
