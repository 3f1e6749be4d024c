#pragma once
// The sung voice mixed into the synthesizer's sound, at one level for live playback and the WAV
// file alike, so that what is exported sounds as what was heard.

#include <algorithm>
#include <cstdint>
#include <span>

namespace kvat {

// The voice's samples against the synthesizer's: the voice stands out a little over the melody
// it sings, as a singer before the band.
inline constexpr float kVoiceLevel = 0.25F;

// Adds the voice's samples from frame `at` on to both channels, centred; past its end, nothing.
inline void MixVoice(std::span<const float> voice, std::int64_t at, std::span<float> left,
                     std::span<float> right) {
    if (at < 0 || at >= static_cast<std::int64_t>(voice.size())) return;
    const auto n = std::min(left.size(), voice.size() - static_cast<std::size_t>(at));
    for (std::size_t i = 0; i < n; ++i) {
        const float sample = kVoiceLevel * voice[static_cast<std::size_t>(at) + i];
        left[i] += sample;
        right[i] += sample;
    }
}

} // namespace kvat
