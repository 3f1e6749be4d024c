// All ten melody methods over a generated 10 000-line verse; the budget is 50 ms for the ten.

#include "melody/melody.h"

#include <benchmark/benchmark.h>

namespace {

kvat::Lines TenThousandLines() {
    static const std::u32string kLines[] = {
        U"Над рекою тихо светит месяц,",          U"В камышах уснула старая луна.",
        U"Ёжик шёл по тропке — и   молчал,",      U"",
        U"Ивы шепчут: «Юность, где ты, юность?»", U"Облака плывут над синим лесом,"};
    kvat::Lines lines;
    for (std::size_t i = 0; i < 10000; ++i) lines.push_back(kLines[i % 6]);
    return lines;
}

kvat::MetreState Iamb() {
    return {kvat::BuildMetreTemplates(), kvat::kIamb};
}

void BM_MelodyAllTenMethods(benchmark::State& state) {
    const auto lines = TenThousandLines();
    const auto metre = Iamb();
    kvat::MelodySettings settings;
    settings.noteMap = {0, 3, 7, 12, 14, 19, 23, -1, 5, 9};
    for (auto _ : state)
        for (int method = 0; method < 10; ++method) {
            settings.method = static_cast<kvat::Method>(method);
            benchmark::DoNotOptimize(kvat::GenerateMelody(lines, metre, settings));
        }
}
BENCHMARK(BM_MelodyAllTenMethods)->Unit(benchmark::kMillisecond);

void BM_MelodyOneMethod(benchmark::State& state) {
    const auto lines = TenThousandLines();
    const auto metre = Iamb();
    kvat::MelodySettings settings;
    settings.method = static_cast<kvat::Method>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(kvat::GenerateMelody(lines, metre, settings));
}
BENCHMARK(BM_MelodyOneMethod)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

} // namespace
