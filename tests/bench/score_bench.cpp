// Layout of the score of a long generated verse.

#include "melody/melody.h"
#include "score/score_layout.h"
#include "verse/metre.h"
#include "verse/syllables.h"

#include "generated_verse.h"

#include <benchmark/benchmark.h>

namespace {

void LayoutLongScore(benchmark::State& state) {
    const auto lines = kvat::bench::GeneratedVerse(static_cast<std::size_t>(state.range(0)));
    const kvat::DividedText divided = kvat::DivideSyllables(lines);
    std::vector<std::u32string_view> rows;
    for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.push_back(divided.Row(k));
    kvat::MetreState metre;
    metre.templates = kvat::BuildMetreTemplates();
    metre.metre = kvat::kIamb;
    const auto melody = kvat::GenerateMelody(lines, metre, kvat::MelodySettings{});
    const auto tokenTexts = kvat::MelodyTokens(melody ? melody->text : std::string());
    const std::vector<std::string_view> tokens(tokenTexts.begin(), tokenTexts.end());
    std::size_t items = 0;
    for (auto _ : state) {
        const auto layout = kvat::LayoutScore(rows, tokens, kvat::ScoreHeader{}, {});
        items = layout.items.size();
        benchmark::DoNotOptimize(layout.items.data());
    }
    state.counters["tokens"] = static_cast<double>(tokens.size());
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(LayoutLongScore)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
