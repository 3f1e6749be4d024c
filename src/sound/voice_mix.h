#pragma once
// The sung voice mixed into the synthesizer's sound, at one level for live playback and the WAV
// file alike, so that what is exported sounds as what was heard; and the track live playback
// reads while the voice is still being sung.

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

namespace kvat {

// The voice's samples against the synthesizer's: the voice stands out a little over the melody
// it sings, as a singer before the band.
inline constexpr float kVoiceLevel = 0.25F;

// A voice sung phrase by phrase on one thread while the audio thread plays it from another. The
// singer adds each phrase's samples, then says up to which frame nothing will be added any
// more; the player hears only those frames, so it never reads what is being written, and where
// the singer has fallen behind it hears silence rather than waits.
class VoiceTrack {
public:
    VoiceTrack(std::int64_t frames, int rate);
    // A voice sung whole already: every frame final.
    VoiceTrack(std::vector<float> samples, int rate);

    int Rate() const { return rate_; }
    std::int64_t Frames() const { return static_cast<std::int64_t>(samples_.size()); }

    // The singer's side: samples added from frame `at` on (what falls outside is left out), and
    // the frames before `frame` final. Final frames only grow.
    void Add(std::int64_t at, std::span<const float> samples);
    void Finish(std::int64_t frame);
    std::int64_t Finished() const { return finished_.load(std::memory_order_acquire); }

    // The player's side: the final frames among `left.size()` from `at` mixed into both channels,
    // centred; past the end, nothing.
    void MixInto(std::int64_t at, std::span<float> left, std::span<float> right) const;

private:
    int rate_;
    std::vector<float> samples_; // never resized: the player reads it while the singer writes
    std::atomic<std::int64_t> finished_{0};
};

} // namespace kvat
