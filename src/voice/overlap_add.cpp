#include "voice/overlap_add.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kvat {
namespace {

// A gentle vibrato: a sixth of a semitone either way, five and a half times a second, coming in
// after the vowel has settled.
constexpr double kVibratoCents = 16;
constexpr double kVibratoHz = 5.5;
constexpr double kVibratoDelay = 0.15, kVibratoRise = 0.25, kVibratoFade = 0.06;
constexpr double kGlide = 0.04;

// Band-limited interpolation between the input samples: a Blackman-windowed sinc eight samples
// either way, cut a little below the input's half rate and tabled at 1024 fractional positions,
// so that lifting the speech to a higher rate adds no mirror images above its band.
constexpr int kSide = 8;
constexpr int kTaps = 2 * kSide;
constexpr int kPhases = 1024;
constexpr double kCutoff = 0.9;

const std::vector<float>& Kernel() {
    static const std::vector<float> table = [] {
        std::vector<float> taps(static_cast<std::size_t>((kPhases + 1) * kTaps));
        for (int phase = 0; phase <= kPhases; ++phase)
            for (int k = 0; k < kTaps; ++k) {
                // From the wanted position to input sample floor(position) - kSide + 1 + k.
                const double d = k - kSide + 1 - static_cast<double>(phase) / kPhases;
                const double x = std::numbers::pi * kCutoff * d;
                const double sinc = x == 0 ? 1 : std::sin(x) / x;
                const double w = 0.42 + 0.5 * std::cos(std::numbers::pi * d / kSide) +
                                 0.08 * std::cos(2 * std::numbers::pi * d / kSide);
                taps[static_cast<std::size_t>(phase * kTaps + k)] =
                    static_cast<float>(kCutoff * sinc * w);
            }
        return taps;
    }();
    return table;
}

double Interpolate(std::span<const float> x, double position) {
    const auto i = static_cast<std::int64_t>(std::floor(position));
    const auto phase = std::lround((position - static_cast<double>(i)) * kPhases);
    const float* h = &Kernel()[static_cast<std::size_t>(phase * kTaps)];
    const std::int64_t first = i - kSide + 1;
    const auto size = static_cast<std::int64_t>(x.size());
    double sum = 0;
    if (first >= 0 && first + kTaps <= size) {
        const float* from = &x[static_cast<std::size_t>(first)];
        for (int k = 0; k < kTaps; ++k) sum += double{from[k]} * h[k];
    } else {
        for (int k = 0; k < kTaps; ++k)
            if (first + k >= 0 && first + k < size)
                sum += double{x[static_cast<std::size_t>(first + k)]} * h[k];
    }
    return sum;
}

// Walks a rising sequence with rising queries.
template <class Item> class Cursor {
public:
    explicit Cursor(const std::vector<Item>& items) : items_(items) {}
    // The last item whose key is at or before `at` (the first if none).
    template <class Key> const Item& Find(double at, Key key) {
        while (next_ + 1 < items_.size() && key(items_[next_ + 1]) <= at) ++next_;
        return items_[next_];
    }
    std::size_t Index() const { return next_; }

private:
    const std::vector<Item>& items_;
    std::size_t next_ = 0;
};

double WarpedInput(Cursor<WarpKnot>& knots, const std::vector<WarpKnot>& warp, double t) {
    const WarpKnot& a = knots.Find(t, [](const WarpKnot& k) { return k.out; });
    const std::size_t i = knots.Index();
    if (i + 1 >= warp.size()) return a.in;
    const WarpKnot& b = warp[i + 1];
    return b.out > a.out ? a.in + (t - a.out) * (b.in - a.in) / (b.out - a.out) : a.in;
}

double VibratoFactor(Cursor<HeldVowel>& held, bool any, double t) {
    if (!any) return 1;
    const HeldVowel& vowel = held.Find(t, [](const HeldVowel& v) { return v.onset; });
    if (t < vowel.onset || t >= vowel.end) return 1;
    const double age = t - vowel.onset;
    const double grown = std::clamp((age - kVibratoDelay) / kVibratoRise, 0.0, 1.0);
    const double left = std::clamp((vowel.end - t) / kVibratoFade, 0.0, 1.0);
    const double cents =
        kVibratoCents * std::min(grown, left) * std::sin(2 * std::numbers::pi * kVibratoHz * age);
    return std::exp2(cents / 1200);
}

// A new note's pitch is reached by a short glide from the last one, over the consonants that
// begin its syllable, as a voice slides rather than steps. `since`: output seconds since the
// region's first grain.
double SungHz(const std::vector<PitchRegion>& regions, std::size_t index, double since) {
    const PitchRegion& region = regions[index];
    if (index == 0) return region.sungHz;
    const double done = std::clamp(since / kGlide, 0.0, 1.0);
    return regions[index - 1].sungHz * std::pow(region.sungHz / regions[index - 1].sungHz, done);
}

// One grain: the input around `mark` under a Hann window two periods wide, added around output
// time `centre`. The window's cosine turns by a fixed angle per output sample.
void AddGrain(PlacedSound& out, std::span<const float> input, double mark, double period,
              double centre, int inputRate, int rate) {
    const double half = period / inputRate;
    const auto from =
        std::max(out.firstSample, static_cast<std::int64_t>(std::ceil((centre - half) * rate)));
    const auto to = std::min(out.firstSample + static_cast<std::int64_t>(out.samples.size()) - 1,
                             static_cast<std::int64_t>(std::floor((centre + half) * rate)));
    if (to < from) return;
    const double step = static_cast<double>(inputRate) / rate; // input samples per output one
    double offset = (static_cast<double>(from) / rate - centre) * inputRate;
    const double turn = std::numbers::pi * step / period;
    double c = std::cos(std::numbers::pi * offset / period);
    double s = std::sin(std::numbers::pi * offset / period);
    const double ct = std::cos(turn), st = std::sin(turn);
    for (std::int64_t n = from; n <= to; ++n) {
        out.samples[static_cast<std::size_t>(n - out.firstSample)] +=
            static_cast<float>(0.5 * (1 + c) * Interpolate(input, mark + offset));
        offset += step;
        const double nc = c * ct - s * st;
        s = s * ct + c * st;
        c = nc;
    }
}

} // namespace

PlacedSound OverlapAdd(std::span<const float> input, int inputRate, const OverlapAddPlan& plan,
                       int rate) {
    PlacedSound out;
    if (plan.warp.size() < 2 || plan.regions.empty() || inputRate <= 0 || rate <= 0) return out;
    const double start = plan.warp.front().out, end = plan.warp.back().out;
    out.firstSample = static_cast<std::int64_t>(std::floor(start * rate));
    const auto last = static_cast<std::int64_t>(std::ceil(end * rate));
    out.samples.assign(
        static_cast<std::size_t>(std::max<std::int64_t>(1, last - out.firstSample + 1)), 0.0F);
    Cursor<WarpKnot> knots(plan.warp);
    Cursor<PitchRegion> regions(plan.regions);
    Cursor<HeldVowel> held(plan.held);
    std::size_t entered = 0; // the region of the last grain, and the time it was entered
    double enteredAt = start;
    for (double t = start; t < end;) {
        const double u = WarpedInput(knots, plan.warp, t);
        const PitchRegion& region = regions.Find(u, [](const PitchRegion& r) { return r.start; });
        if (regions.Index() != entered) {
            entered = regions.Index();
            enteredAt = t;
        }
        const double period = inputRate / region.spokenHz;
        const double mark = region.start + std::round((u - region.start) / period) * period;
        AddGrain(out, input, mark, period, t, inputRate, rate);
        t += 1 / (SungHz(plan.regions, entered, t - enteredAt) *
                  VibratoFactor(held, !plan.held.empty(), t));
    }
    return out;
}

void MixInto(std::vector<float>& track, const PlacedSound& sound) {
    const std::int64_t end = sound.firstSample + static_cast<std::int64_t>(sound.samples.size());
    if (end > static_cast<std::int64_t>(track.size()))
        track.resize(static_cast<std::size_t>(end), 0.0F);
    for (std::int64_t i = std::max<std::int64_t>(0, sound.firstSample); i < end; ++i)
        track[static_cast<std::size_t>(i)] +=
            sound.samples[static_cast<std::size_t>(i - sound.firstSample)];
}

} // namespace kvat
