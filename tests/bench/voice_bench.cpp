// Figures of the singing voice on a few development poems: per note the pitch sung over the
// middle half of the note (YIN) against the note's frequency, whether a pitch was found there at
// all, and where the vowel begins against the note's onset; per poem the CPU time per sung
// minute, the largest step between samples at a phrase's ends and the wall time of the first
// phrase, which a play waits for (the first poem's includes espeak-ng's start). Prints only.
// Usage: kvat_voice_bench [POEMS] [--notes]. KVAT_VOICE_DEV names the set.

#include "dev_set.h"
#include "melody/melody.h"
#include "piece/piece.h"
#include "verse/analysis.h"
#include "voice/piece_notes.h"
#include "voice/singer.h"
#include "voice/voice_range.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace kvat;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr int kTrackRate = kRate / 2; // the tracker reads the render at half its rate
constexpr double kLowestHz = 60, kHighestHz = 1100, kYinThreshold = 0.15;
constexpr double kFrame = 0.025, kFrameHop = 0.005;
constexpr double kBandHz = 800, kLevelWindow = 0.010, kOnsetShare = 0.5, kOnsetReach = 0.15;
constexpr std::size_t kEdge = kRate / 500; // 2 ms

// YIN's pitch of one frame, or 0 where it finds none.
double Yin(const std::vector<float>& x, std::size_t at) {
    const auto width = static_cast<std::size_t>(kFrame * kTrackRate);
    const auto maxLag = static_cast<std::size_t>(kTrackRate / kLowestHz);
    if (at + width + maxLag + 2 > x.size()) return 0;
    std::vector<double> d(maxLag + 2, 1.0);
    double running = 0;
    for (std::size_t lag = 1; lag <= maxLag + 1; ++lag) {
        double sum = 0;
        for (std::size_t i = at; i < at + width; ++i)
            sum += (x[i] - x[i + lag]) * (x[i] - x[i + lag]);
        running += sum;
        d[lag] = running > 0 ? sum * static_cast<double>(lag) / running : 1;
    }
    for (auto lag = static_cast<std::size_t>(kTrackRate / kHighestHz); lag <= maxLag; ++lag) {
        if (d[lag] >= kYinThreshold) continue;
        while (lag < maxLag && d[lag + 1] < d[lag]) ++lag;
        const double bend = d[lag - 1] - 2 * d[lag] + d[lag + 1];
        const double shift = bend != 0 ? 0.5 * (d[lag - 1] - d[lag + 1]) / bend : 0;
        return kTrackRate / (static_cast<double>(lag) + shift);
    }
    return 0;
}

double Percentile(std::vector<double> v, double share) {
    if (v.empty()) return 0;
    std::ranges::sort(v);
    return v[std::min(v.size() - 1,
                      static_cast<std::size_t>(share * static_cast<double>(v.size())))];
}

// The median of the frames' pitches over the middle half of the note, in cents from `hz`;
// nothing unless at least half of its frames found a pitch.
std::optional<double> PitchError(const std::vector<float>& half, const SungNote& note, double hz) {
    std::vector<double> found;
    int frames = 0;
    for (double t = note.start + note.length / 4; t + kFrame <= note.start + 3 * note.length / 4;
         t += kFrameHop, ++frames)
        if (const double f = Yin(half, static_cast<std::size_t>(t * kTrackRate)); f > 0)
            found.push_back(f);
    if (found.empty() || 2 * static_cast<int>(found.size()) < frames) return std::nullopt;
    return 1200 * std::log2(Percentile(found, 0.5) / hz);
}

// The level of the render's low band (two one-pole low-passes, RMS over a short window), every
// millisecond.
std::vector<double> LowBandLevel(const std::vector<float>& x) {
    const double a = 1 - std::exp(-2 * std::numbers::pi * kBandHz / kRate);
    std::vector<double> sums(x.size() + 1, 0.0);
    double first = 0, second = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        first += a * (x[i] - first);
        second += a * (first - second);
        sums[i + 1] = sums[i] + second * second;
    }
    const auto half = static_cast<std::size_t>(kLevelWindow * kRate / 2);
    std::vector<double> level(x.size() * 1000 / kRate);
    for (std::size_t k = 0; k < level.size(); ++k) {
        const auto at =
            static_cast<std::size_t>(std::lround(static_cast<double>(k) * kRate / 1000));
        const std::size_t from = at > half ? at - half : 0, to = std::min(x.size(), at + half);
        level[k] = std::sqrt((sums[to] - sums[from]) / static_cast<double>(to - from));
    }
    return level;
}

// Walking back from the middle half of the note: where the level last rose through half its
// median over that half, against the note's onset. Nothing when it does not dip within reach (a
// vowel gliding on from the one before).
std::optional<double> OnsetError(const std::vector<double>& level, const SungNote& note) {
    const auto ms = [](double seconds) { return static_cast<std::ptrdiff_t>(seconds * 1000); };
    const std::ptrdiff_t from = ms(note.start + note.length / 4);
    const std::ptrdiff_t to = ms(note.start + 3 * note.length / 4);
    if (to >= static_cast<std::ptrdiff_t>(level.size()) || to <= from) return std::nullopt;
    const double floor =
        kOnsetShare *
        Percentile(std::vector<double>(level.begin() + from, level.begin() + to), 0.5);
    for (std::ptrdiff_t k = from; k > ms(note.start - kOnsetReach) && k > 0; --k)
        if (level[static_cast<std::size_t>(k - 1)] < floor)
            return static_cast<double>(k) - note.start * 1000;
    return std::nullopt;
}

struct Figures {
    std::vector<double> cents, onsetsMs;
    int notes = 0, fellBack = 0;              // phrases sung on «а»
    double cpu = 0, minutes = 0, firstMs = 0; // the first phrase's wall time; of poems, the most
    float step = 0; // between samples near a phrase's ends: a click if large

    void Add(const Figures& more) {
        cents.insert(cents.end(), more.cents.begin(), more.cents.end());
        onsetsMs.insert(onsetsMs.end(), more.onsetsMs.begin(), more.onsetsMs.end());
        notes += more.notes, fellBack += more.fellBack, cpu += more.cpu, minutes += more.minutes;
        firstMs = std::max(firstMs, more.firstMs);
        step = std::max(step, more.step);
    }
    void Print(const std::string& name) const {
        std::printf("%s: %d notes, tracked %.1f %%, pitch error median %.1f c, 90th %.1f c, "
                    "onset error median %.1f ms (%zu measured), %.2f s CPU per sung minute, "
                    "%d phrases on «а», steps at phrase ends up to %.0f dBFS, first phrase "
                    "%.0f ms\n",
                    name.c_str(), notes,
                    100.0 * static_cast<double>(cents.size()) / std::max(1, notes),
                    Percentile(cents, 0.5), Percentile(cents, 0.9), Percentile(onsetsMs, 0.5),
                    onsetsMs.size(), cpu / std::max(minutes, 1e-9), fellBack,
                    20 * std::log10(std::max(double{step}, 1e-9)), firstMs);
    }
};

std::vector<SungNote> PoemNotes(const std::u32string& poem, Method method, VoiceKind voice) {
    const Lines lines = Split<char32_t>(poem, U"\n");
    const VerseAnalysis analysis = AnalyseVerse(lines, U'.');
    const MetreState metre{analysis.templates,
                           static_cast<Metre>(analysis.metre.value_or(kTrochee))};
    PieceSettings settings;
    settings.melody.method = method;
    const Piece piece = BuildPiece(lines, metre, analysis.stress, settings);
    return InVoiceRange(PieceNotes(piece), voice);
}

Figures SingPoem(const std::u32string& poem, Method method, VoiceKind voice, bool perNote) {
    Figures figures;
    const auto notes = PoemNotes(poem, method, voice);
    std::vector<float> piece;
    const std::clock_t start = std::clock();
    const auto wall = Clock::now();
    for (const auto phrase : Phrases(notes)) {
        const auto sung = SingPhrase(phrase, voice, kRate);
        const std::chrono::duration<double, std::milli> spent = Clock::now() - wall;
        if (figures.firstMs == 0) figures.firstMs = spent.count();
        if (!sung) return std::printf("no voice: espeak-ng is missing\n"), figures;
        figures.fellBack += sung->fellBack;
        MixInto(piece, sung->sound);
        const auto& s = sung->sound.samples;
        for (std::size_t i = 1; i < s.size(); ++i)
            if (i < kEdge || i + kEdge > s.size())
                figures.step = std::max(figures.step, std::abs(s[i] - s[i - 1]));
    }
    figures.cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    if (notes.empty()) return figures;
    figures.minutes = (notes.back().start + notes.back().length) / 60;
    std::vector<float> half(piece.size() / 2);
    for (std::size_t i = 1; i + 1 < half.size(); ++i)
        half[i] = 0.25F * piece[2 * i - 1] + 0.5F * piece[2 * i] + 0.25F * piece[2 * i + 1];
    const auto level = LowBandLevel(piece);
    for (const SungNote& note : notes) {
        const auto cents = PitchError(half, note, KeyHz(note.key));
        const auto onset = OnsetError(level, note);
        ++figures.notes;
        if (cents) figures.cents.push_back(std::abs(*cents));
        if (onset) figures.onsetsMs.push_back(std::abs(*onset));
        if (perNote)
            std::printf("  %8.3f s key %2d %-12s pitch %s%6.1f c  onset %s%6.1f ms\n", note.start,
                        note.key, EncodeUtf8(note.syllable).c_str(), cents ? " " : "?",
                        cents.value_or(0), onset ? " " : "?", onset.value_or(0));
    }
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    int poems = 3;
    bool perNote = false;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--notes")
            perNote = true;
        else
            poems = std::max(1, std::atoi(argv[i]));
    const auto json = bench::ReadDevSet("KVAT_VOICE_DEV");
    if (!json) return std::printf("no development set\n"), 0;
    const auto texts = bench::DevField(*json, "poem_text");
    // Methods of different ranges in turn: the fixed pentatonic, the tonal line, the folk motif.
    constexpr Method kMethods[] = {Method::kPentatonic, Method::kTonalLine, Method::kTemplateFolk};
    Figures all;
    for (int p = 0; p < poems && p < static_cast<int>(texts.size()); ++p)
        for (VoiceKind voice : {VoiceKind::kMale, VoiceKind::kFemale}) {
            const Figures poem =
                SingPoem(texts[static_cast<std::size_t>(p)], kMethods[p % 3], voice, perNote);
            poem.Print("poem " + std::to_string(p) + ", method " +
                       std::to_string(MethodIndex(kMethods[p % 3])) +
                       (voice == VoiceKind::kMale ? ", male" : ", female"));
            all.Add(poem);
        }
    all.Print("all");
}
