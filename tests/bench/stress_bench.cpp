// Figures of the dictionary stress mode: word and metre accuracy on the marked development set
// against the rule, the stress table's first lookup, and the time to analyse a long verse, the
// first time (espeak-ng starting, each new word asked once) and again.
// KVAT_STRESS_DEV names the set (a JSON list with "accentuation_markup" fields); absent, the
// accuracy is skipped.

#include "dev_set.h"
#include "generated.h"
#include "verse/stress_accuracy.h"
#include "verse/stress_lexicon.h"

#include <chrono>
#include <cstdio>

namespace {

using namespace kvat;

double MillisecondsOf(auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void Accuracy(const std::vector<std::u32string>& markups, StressMode mode, const char* name) {
    const test::StressAccuracy total = test::Measure(markups, mode);
    std::printf("%-10s words %6.2f %% of %d, metres %6.2f %% of %d\n", name,
                100.0 * total.rightWords / std::max(total.words, 1), total.words,
                100.0 * total.rightMetres / std::max(total.poems, 1), total.poems);
}

} // namespace

int main() {
    std::printf("first table lookup: %.3f ms\n",
                MillisecondsOf([] { (void)LexiconReadings(U"слово"); }));
    const Lines verse = bench::GeneratedVerse(10000);
    std::printf("10 000 lines, dictionary, first: %.1f ms\n",
                MillisecondsOf([&] { (void)AnalyseVerse(verse, U',', StressMode::kDictionary); }));
    std::printf("10 000 lines, dictionary, again: %.1f ms\n",
                MillisecondsOf([&] { (void)AnalyseVerse(verse, U',', StressMode::kDictionary); }));

    const auto json = bench::ReadDevSet("KVAT_STRESS_DEV");
    if (!json) return std::printf("no development set: accuracy skipped\n"), 0;
    const auto markups = bench::DevField(*json, "accentuation_markup");
    Accuracy(markups, StressMode::kRule, "rule");
    Accuracy(markups, StressMode::kDictionary, "dictionary");
}
