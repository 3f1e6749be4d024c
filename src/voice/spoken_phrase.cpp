#include "voice/spoken_phrase.h"

#include "verse/espeak_engine.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kvat {
namespace {

constexpr float kFullScale = 32768.0F;
// Vowels espeak-ng adds that no letter wrote: the glide into an "r" cluster and the soft sign's
// shade of "i".
constexpr std::array<std::string_view, 2> kAddedVowels = {"@-", "I^"};

bool IsLetterVowel(std::string_view name, PhonemeKind kind) {
    return kind == PhonemeKind::kVowel &&
           std::ranges::find(kAddedVowels, name) == kAddedVowels.end();
}

// Counts the vowels as they come and moves the pitch at the first phoneme after each one.
// espeak-ng names a vowel again at the same sample while it plans its length: that is one vowel.
class VowelMarks : public SpeechListener {
public:
    VowelMarks(EspeakSession& espeak, std::span<const int> pitches, SpokenPhrase& phrase)
        : espeak_(espeak), pitches_(pitches), phrase_(phrase) {}

    void Phoneme(std::string_view name, PhonemeKind kind, std::int64_t at) override {
        if (IsLetterVowel(name, kind)) {
            if (inVowel_ && name == lastVowel_ && at == lastAt_) return;
            if (inVowel_) EndVowel(at);
            phrase_.vowels.push_back({nextStart_, at});
            inVowel_ = true;
            lastVowel_ = name;
            lastAt_ = at;
        } else if (inVowel_)
            EndVowel(at);
    }

    void Samples(std::span<const std::int16_t> samples) override {
        for (std::int16_t s : samples)
            phrase_.samples.push_back(static_cast<float>(s) / kFullScale);
    }

    void Finish() {
        if (inVowel_) phrase_.vowels.back().end = static_cast<std::int64_t>(phrase_.samples.size());
    }

private:
    void EndVowel(std::int64_t at) {
        inVowel_ = false;
        phrase_.vowels.back().end = at;
        nextStart_ = at;
        const std::size_t next = phrase_.vowels.size();
        if (next < pitches_.size()) espeak_.SetPitch(pitches_[next]);
    }

    EspeakSession& espeak_;
    std::span<const int> pitches_;
    SpokenPhrase& phrase_;
    bool inVowel_ = false;
    std::string lastVowel_;
    std::int64_t lastAt_ = std::numeric_limits<std::int64_t>::min();
    std::int64_t nextStart_ = 0;
};

} // namespace

std::optional<SpokenPhrase> SpeakPhrase(const std::string& utf8, const std::string& voice,
                                        std::span<const int> pitchesHz) {
    if (pitchesHz.empty()) return std::nullopt;
    SpokenPhrase phrase;
    EspeakSession espeak;
    if (!espeak.Ready()) return std::nullopt;
    phrase.sampleRate = espeak.SampleRate();
    VowelMarks marks(espeak, pitchesHz, phrase);
    const SpeechRequest request{voice, kSlowestWordsPerMinute, pitchesHz.front()};
    if (!espeak.Speak(utf8, request, marks)) return std::nullopt;
    marks.Finish();
    if (phrase.vowels.size() != pitchesHz.size()) return std::nullopt;
    for (auto& vowel : phrase.vowels)
        vowel.end = std::min(vowel.end, static_cast<std::int64_t>(phrase.samples.size()));
    return phrase;
}

} // namespace kvat
