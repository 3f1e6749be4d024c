#include "sound/voice_mix.h"

#include <algorithm>

namespace kvat {

VoiceTrack::VoiceTrack(std::int64_t frames, int rate)
    : rate_(rate), samples_(static_cast<std::size_t>(std::max<std::int64_t>(frames, 0))) {}

VoiceTrack::VoiceTrack(std::vector<float> samples, int rate)
    : rate_(rate), samples_(std::move(samples)), finished_(Frames()) {}

void VoiceTrack::Add(std::int64_t at, std::span<const float> samples) {
    const std::int64_t from = std::max(at, Finished());
    const std::int64_t to = std::min(at + static_cast<std::int64_t>(samples.size()), Frames());
    for (std::int64_t i = from; i < to; ++i)
        samples_[static_cast<std::size_t>(i)] += samples[static_cast<std::size_t>(i - at)];
}

void VoiceTrack::Finish(std::int64_t frame) {
    const std::int64_t final = std::clamp(frame, Finished(), Frames());
    finished_.store(final, std::memory_order_release);
}

void VoiceTrack::MixInto(std::int64_t at, std::span<float> left, std::span<float> right) const {
    const std::int64_t final = Finished();
    if (at < 0 || at >= final) return;
    const auto from = static_cast<std::size_t>(at);
    const std::size_t n =
        std::min({left.size(), right.size(), static_cast<std::size_t>(final) - from});
    for (std::size_t i = 0; i < n; ++i) {
        const float sample = kVoiceLevel * samples_[from + i];
        left[i] += sample;
        right[i] += sample;
    }
}

} // namespace kvat
