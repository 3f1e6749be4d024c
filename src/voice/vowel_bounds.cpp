#include "voice/vowel_bounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kvat {
namespace {

constexpr double kLowBandHz = 1000;
constexpr double kWindowSeconds = 0.010;
constexpr double kHopSeconds = 0.001;
constexpr double kVowelShare = 0.5;  // of the syllable's peak level
constexpr double kSoundShare = 0.02; // of the phrase's peak level: anything audible
constexpr double kLeadIn = 0.005, kRingOut = 0.010;

// The level of the signal's low band (two one-pole low-passes) over a short window around any
// sample, from running sums of its square.
class LowBandLevel {
public:
    LowBandLevel(const std::vector<float>& samples, int rate)
        : half_(std::max<std::int64_t>(1, std::llround(kWindowSeconds * rate / 2))) {
        const double a = 1 - std::exp(-2 * std::numbers::pi * kLowBandHz / rate);
        double first = 0, second = 0, sum = 0;
        sums_.reserve(samples.size() + 1);
        sums_.push_back(0);
        for (float s : samples) {
            first += a * (s - first);
            second += a * (first - second);
            sum += second * second;
            sums_.push_back(sum);
        }
    }
    std::int64_t Size() const { return static_cast<std::int64_t>(sums_.size()) - 1; }
    double At(std::int64_t i) const {
        const std::int64_t from = std::clamp<std::int64_t>(i - half_, 0, Size());
        const std::int64_t to = std::clamp<std::int64_t>(i + half_, 0, Size());
        return to > from ? std::sqrt((sums_[to] - sums_[from]) / static_cast<double>(to - from))
                         : 0;
    }

private:
    std::int64_t half_;
    std::vector<double> sums_;
};

VowelSpan LoudStretch(const LowBandLevel& level, std::int64_t from, std::int64_t to,
                      std::int64_t hop) {
    if (to - from < 2 * hop) return {from, to};
    std::int64_t peakAt = from;
    double peak = 0;
    for (std::int64_t i = from; i < to; i += hop)
        if (const double l = level.At(i); l > peak) {
            peak = l;
            peakAt = i;
        }
    const double floor = kVowelShare * peak;
    std::int64_t onset = peakAt, end = peakAt;
    while (onset - hop >= from && level.At(onset - hop) >= floor) onset -= hop;
    while (end + hop < to && level.At(end + hop) >= floor) end += hop;
    return {onset, std::min(to, end + hop)};
}

} // namespace

PhraseBounds FindVowels(const SpokenPhrase& phrase) {
    PhraseBounds bounds;
    const LowBandLevel level(phrase.samples, phrase.sampleRate);
    const std::int64_t size = level.Size();
    const std::int64_t hop =
        std::max<std::int64_t>(1, std::llround(kHopSeconds * phrase.sampleRate));
    double loudest = 0;
    for (std::int64_t i = 0; i < size; i += hop) loudest = std::max(loudest, level.At(i));
    std::int64_t first = size, last = 0;
    for (std::int64_t i = 0; i < size; i += hop)
        if (level.At(i) > kSoundShare * loudest) {
            first = std::min(first, i);
            last = i;
        }
    for (const SpokenVowel& vowel : phrase.vowels)
        bounds.vowels.push_back(
            LoudStretch(level, vowel.syllableStart, std::max(vowel.syllableStart, vowel.end), hop));
    const std::int64_t lead = std::llround(kLeadIn * phrase.sampleRate);
    const std::int64_t ring = std::llround(kRingOut * phrase.sampleRate);
    bounds.speechStart = std::max<std::int64_t>(0, first - lead);
    bounds.speechEnd = std::min(size, last + ring);
    if (!bounds.vowels.empty()) {
        bounds.speechStart = std::min(bounds.speechStart, bounds.vowels.front().onset);
        bounds.speechEnd = std::max(bounds.speechEnd, bounds.vowels.back().end);
    }
    return bounds;
}

} // namespace kvat
