// Figures of the rhyme finder on the development set: per stanza, after relabelling, the share
// of poems whose every stanza's rhymes are the experts', and precision, recall and F1 over the
// pairs of lines that rhyme inside a stanza; in both stress modes and with the experts' own
// stress marks, over the whole set and each half of it. Then the time a long verse takes.
// KVAT_STRESS_DEV names the set; KVAT_RHYME_MISSES=1 prints every poem missed, for tuning.

#include "dev_set.h"
#include "generated.h"
#include "verse/analysis.h"
#include "verse/rhymes.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace kvat;

struct Tally {
    long truePairs = 0, falsePairs = 0, missedPairs = 0;
    int poems = 0, exactPoems = 0;
};

// The stanzas of a scheme as the experts write it: a letter per line, '-' for a line that
// rhymes with no other, stanzas parted by spaces.
std::vector<std::u32string> Stanzas(std::u32string_view scheme) {
    return Split(scheme, std::u32string_view(U" "));
}

// Per line of a poem, the experts' or the finder's group inside its stanza; -1 for none.
using StanzaGroups = std::vector<std::vector<int>>;

StanzaGroups Experts(std::u32string_view scheme) {
    StanzaGroups stanzas;
    for (const auto& stanza : Stanzas(scheme)) {
        std::vector<int> groups;
        for (char32_t c : stanza) groups.push_back(c == U'-' ? -1 : static_cast<int>(c));
        stanzas.push_back(std::move(groups));
    }
    return stanzas;
}

StanzaGroups Found(const Lines& lines, const std::vector<LineRhyme>& rhymes) {
    StanzaGroups stanzas;
    bool open = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool blank = lines[i].find_first_not_of(U" \t\u00a0") == std::u32string::npos;
        if (blank) {
            open = false;
            continue;
        }
        if (!open) stanzas.emplace_back(), open = true;
        stanzas.back().push_back(rhymes[i].group >= 0 ? rhymes[i].group : -1);
    }
    return stanzas;
}

// Tallies one poem; returns whether every stanza's rhymes are the experts'.
bool Score(const StanzaGroups& expert, const StanzaGroups& found, Tally& tally) {
    bool exact = expert.size() == found.size();
    for (std::size_t s = 0; s < expert.size() && s < found.size(); ++s) {
        const auto& e = expert[s];
        const auto& f = found[s];
        exact = exact && e.size() == f.size();
        for (std::size_t i = 0; i < e.size() && i < f.size(); ++i)
            for (std::size_t j = i + 1; j < e.size() && j < f.size(); ++j) {
                const bool want = e[i] >= 0 && e[i] == e[j];
                const bool got = f[i] >= 0 && f[i] == f[j];
                tally.truePairs += want && got;
                tally.falsePairs += !want && got;
                tally.missedPairs += want && !got;
                exact = exact && want == got;
            }
    }
    ++tally.poems;
    tally.exactPoems += exact;
    return exact;
}

void Print(const char* name, const Tally& t) {
    const double precision = t.truePairs / std::max(1.0, double(t.truePairs + t.falsePairs));
    const double recall = t.truePairs / std::max(1.0, double(t.truePairs + t.missedPairs));
    const double f1 = 2 * precision * recall / std::max(1e-9, precision + recall);
    std::printf("%-22s exact poems %6.2f %% of %4d, pairs P %.3f R %.3f F1 %.3f\n", name,
                100.0 * t.exactPoems / std::max(1, t.poems), t.poems, precision, recall, f1);
}

void PrintMiss(const Lines& lines, const std::vector<LineRhyme>& rhymes,
               std::u32string_view scheme) {
    std::printf("--- experts %s\n", EncodeUtf8(scheme).c_str());
    for (std::size_t i = 0; i < lines.size(); ++i)
        std::printf("%3d %s\n", rhymes[i].group, EncodeUtf8(lines[i]).c_str());
}

Lines PoemLines(std::u32string_view text) {
    return Split(text, std::u32string_view(U"\n"));
}

void Measure(const std::vector<std::u32string>& texts, const std::vector<std::u32string>& marked,
             const std::vector<std::u32string>& schemes, const char* name, bool useMarks,
             StressMode mode) {
    const bool misses = std::getenv("KVAT_RHYME_MISSES") != nullptr;
    Tally whole, halves[2];
    for (std::size_t p = 0; p < texts.size() && p < schemes.size(); ++p) {
        const Lines lines = PoemLines(texts[p]);
        // The experts' marks stand in the text as a user's accents do: the dictionary mode
        // keeps every marked word's stress.
        const Lines stressed = useMarks ? PoemLines(marked[p]) : lines;
        const VerseAnalysis analysis = AnalyseVerse(stressed, U',', mode);
        const auto rhymes = FindRhymes(stressed, analysis.stress);
        const auto expert = Experts(schemes[p]);
        const auto found = Found(lines, rhymes);
        Score(expert, found, halves[2 * p >= texts.size()]);
        if (!Score(expert, found, whole) && misses) PrintMiss(lines, rhymes, schemes[p]);
    }
    Print(name, whole);
    Print("  first half", halves[0]);
    Print("  second half", halves[1]);
}

} // namespace

int main() {
    const Lines verse = bench::GeneratedVerse(10000);
    const VerseAnalysis analysis = AnalyseVerse(verse, U',');
    // The best of five runs: the least the machine's other work adds to the figure.
    double best = 1e9;
    std::size_t lines = 0;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        lines += FindRhymes(verse, analysis.stress).size();
        const auto time = std::chrono::steady_clock::now() - start;
        best = std::min(best, std::chrono::duration<double, std::milli>(time).count());
    }
    std::printf("10 000 lines, rhymes: %.2f ms, the best of five runs of %zu lines\n", best,
                lines / 5);

    const auto json = bench::ReadDevSet("KVAT_STRESS_DEV");
    if (!json) return std::printf("no development set: figures skipped\n"), 0;
    const auto texts = bench::DevField(*json, "poem_text");
    const auto marked = bench::DevField(*json, "accentuation_markup");
    const auto schemes = bench::DevField(*json, "rhyme_scheme");
    const char* only = std::getenv("KVAT_RHYME_MODE");
    const std::string mode = only ? only : "";
    if (mode.empty() || mode == "rule")
        Measure(texts, marked, schemes, "rule", false, StressMode::kRule);
    if (mode.empty() || mode == "dictionary")
        Measure(texts, marked, schemes, "dictionary", false, StressMode::kDictionary);
    if (mode.empty() || mode == "marks")
        Measure(texts, marked, schemes, "experts' marks", true, StressMode::kDictionary);
}
