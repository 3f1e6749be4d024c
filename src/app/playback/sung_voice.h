#pragma once
// The piece's voice sung for playback: the phrase the play starts in at once, so that the voice
// comes in with the first note, and the rest on a worker thread while the piece plays. Sung
// ahead of the player by a phrase's length, it is heard where the worker has got to and never
// waited for.

#include "piece/piece.h"
#include "sound/voice_mix.h"
#include "voice/sung_note.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace kvat {

// Where the voice sounds: the synthesizer's live sound.
struct VoiceOutput {
    std::function<int()> rate; // the rate the voice is to be sung at
    // `track` sung along from its frame `from` on; a null track silences the voice.
    std::function<void(std::shared_ptr<const VoiceTrack> track, std::int64_t from)> sing;
    explicit operator bool() const { return rate && sing; }
};

class SungVoice {
public:
    // The voice of the piece's singer from `fromSeconds` on, at `rate`. Nothing when the piece
    // has no note to sing or espeak-ng cannot sing.
    static std::unique_ptr<SungVoice> Start(const Piece& piece, double fromSeconds, int rate);
    ~SungVoice(); // the worker stops at its next phrase
    SungVoice(const SungVoice&) = delete;
    SungVoice& operator=(const SungVoice&) = delete;

    std::shared_ptr<const VoiceTrack> Track() const { return track_; }

private:
    SungVoice() = default;
    bool SingPhrase(std::size_t k);

    VoiceKind singer_ = VoiceKind::kMale;
    std::vector<SungNote> notes_;
    std::vector<std::span<const SungNote>> phrases_; // into notes_
    std::shared_ptr<VoiceTrack> track_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

// «ля» held for `seconds` on a key from the middle of the voice's range: its speaker button.
// Nothing when espeak-ng cannot sing.
std::shared_ptr<const VoiceTrack> SungSyllable(VoiceKind voice, double seconds, int rate);

} // namespace kvat
