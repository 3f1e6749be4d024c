#include "app/playback/sung_voice.h"

#include "voice/piece_notes.h"
#include "voice/singer.h"
#include "voice/voice_range.h"

#include <algorithm>
#include <cmath>

namespace kvat {
namespace {

// The voice's last consonants and its fading out after the last note's end.
constexpr double kTail = 1.0;
// A phrase sounds no earlier than this before its first note: its first consonants. What lies
// before that is final once the phrase before it is sung.
constexpr double kLongestLead = 0.5;
// The syllable of the speaker button starts after its consonant.
constexpr double kSyllableStart = 0.1;

std::int64_t Frame(double seconds, int rate) {
    return std::llround(std::max(seconds, 0.0) * rate);
}

} // namespace

std::unique_ptr<SungVoice> SungVoice::Start(const Piece& piece, double fromSeconds, int rate) {
    std::unique_ptr<SungVoice> voice(new SungVoice);
    voice->singer_ = piece.settings.sound.singer;
    voice->notes_ = InVoiceRange(PieceNotes(piece), voice->singer_);
    if (voice->notes_.empty() || rate <= 0) return nullptr;
    const SungNote& last = voice->notes_.back();
    voice->track_ =
        std::make_shared<VoiceTrack>(Frame(last.start + last.length + kTail, rate), rate);
    voice->phrases_ = Phrases(voice->notes_);
    // The phrase sounding at the start, or the first after it; those before are never heard.
    const auto first = std::find_if(
        voice->phrases_.begin(), voice->phrases_.end(), [fromSeconds](const auto& phrase) {
            return phrase.back().start + phrase.back().length > fromSeconds;
        });
    auto k = static_cast<std::size_t>(first - voice->phrases_.begin());
    if (k == voice->phrases_.size()) {
        voice->track_->Finish(voice->track_->Frames());
        return voice;
    }
    if (!voice->SingPhrase(k)) return nullptr;
    voice->worker_ = std::thread([raw = voice.get(), k]() mutable {
        while (++k < raw->phrases_.size() && !raw->stop_.load() && raw->SingPhrase(k)) {
        }
    });
    return voice;
}

SungVoice::~SungVoice() {
    stop_.store(true);
    if (worker_.joinable()) worker_.join();
}

bool SungVoice::SingPhrase(std::size_t k) {
    const auto sung = kvat::SingPhrase(phrases_[k], singer_, track_->Rate());
    if (sung) track_->Add(sung->sound.firstSample, sung->sound.samples);
    const bool last = k + 1 == phrases_.size();
    track_->Finish(last || !sung ? track_->Frames()
                                 : Frame(phrases_[k + 1][0].start - kLongestLead, track_->Rate()));
    return sung.has_value();
}

std::shared_ptr<const VoiceTrack> SungSyllable(VoiceKind voice, double seconds, int rate) {
    const VoiceRange& range = RangeOf(voice);
    const SungNote note{kSyllableStart, seconds, (range.lowKey + range.highKey) / 2, U"ля"};
    const auto sung = SingPhrase(std::span(&note, 1), voice, rate);
    if (!sung || rate <= 0) return nullptr;
    auto track = std::make_shared<VoiceTrack>(Frame(kSyllableStart + seconds + kTail, rate), rate);
    track->Add(sung->sound.firstSample, sung->sound.samples);
    track->Finish(track->Frames());
    return track;
}

} // namespace kvat
