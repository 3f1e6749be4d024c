// Figures of the dictionary stress mode: word and metre accuracy on the marked development set
// against the rule, the stress table's first lookup, and the time to analyse a long verse, the
// first time (espeak-ng starting, each new word asked once) and again.
// KVAT_STRESS_DEV names the set (a JSON list with "accentuation_markup" fields); absent, the
// accuracy is skipped.

#include "generated.h"
#include "text/utf8.h"
#include "verse/stress_accuracy.h"
#include "verse/stress_lexicon.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using namespace kvat;

double MillisecondsOf(auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The markup strings of the set; the only escapes its strings hold are \n, \", \\ and \uXXXX.
std::vector<std::u32string> Markups(const std::string& json) {
    const std::string key = "\"accentuation_markup\"";
    std::vector<std::u32string> markups;
    for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
        std::string text;
        for (at = json.find('"', at + key.size()) + 1; at < json.size() && json[at] != '"'; ++at) {
            if (json[at] != '\\')
                text.push_back(json[at]);
            else if (json[++at] == 'n')
                text.push_back('\n');
            else if (json[at] == 'u') {
                text +=
                    EncodeUtf8(std::u32string(1, std::stoi(json.substr(at + 1, 4), nullptr, 16)));
                at += 4;
            } else
                text.push_back(json[at]);
        }
        markups.push_back(DecodeUtf8(text).value_or(U""));
    }
    return markups;
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

    const char* env = std::getenv("KVAT_STRESS_DEV");
    const std::string path = env ? env : "/work/shared/data/rifma-dev/rifma_dev.json";
    std::ifstream in(path);
    if (!in) return std::printf("no development set at %s: accuracy skipped\n", path.c_str()), 0;
    std::stringstream json;
    json << in.rdbuf();
    const auto markups = Markups(json.str());
    Accuracy(markups, StressMode::kRule, "rule");
    Accuracy(markups, StressMode::kDictionary, "dictionary");
}
