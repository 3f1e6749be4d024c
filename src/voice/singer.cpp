#include "voice/singer.h"

#include "voice/phrase_text.h"
#include "voice/piece_notes.h"
#include "voice/spoken_phrase.h"
#include "voice/voice_range.h"
#include "voice/vowel_bounds.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kvat {
namespace {

// The consonants between two vowels keep their own length up to a quarter of the note they
// end, so that the middle of every note is its vowel; shorter notes still leave them this much.
constexpr double kGapShare = 0.25;
constexpr double kShortestGap = 0.03;
// The consonants before a phrase's first vowel, sung in the rest before it; at the very start of
// the piece there is no rest, and its first vowel comes as late as this.
constexpr double kLongestLead = 0.25;
constexpr double kLeadAtStart = 0.05;
// A lengthened vowel keeps this much of its onset and its end at the speech's own pace.
constexpr double kSettle = 0.03;
constexpr double kShortestVowel = 0.01;
constexpr double kFadeIn = 0.005, kFadeOut = 0.01;
// espeak-ng speaks close to full scale, and overlapping grains add up: room for both.
constexpr float kGain = 0.5F;

// A line longer than this is sung in parts that end with a word, so that no line of prose holds
// the engine or the memory for long.
constexpr std::size_t kLongestPhrase = 48;

struct PhrasePitches {
    std::vector<int> spoken; // whole hertz, what espeak-ng takes
    std::vector<double> sung;
};

PhrasePitches Pitches(std::span<const SungNote> phrase) {
    PhrasePitches pitches;
    for (const SungNote& note : phrase) {
        const double hz = KeyHz(note.key);
        pitches.sung.push_back(hz);
        pitches.spoken.push_back(std::max(1, static_cast<int>(std::lround(hz))));
    }
    return pitches;
}

// The output time the consonants after vowel k may take: their own, up to the cap.
double GapAfter(double naturalSeconds, const SungNote& note) {
    return std::min(naturalSeconds, std::max(kShortestGap, kGapShare * note.length));
}

void AddVowel(std::vector<WarpKnot>& warp, double onset, double end, double in, double inEnd,
              int inputRate) {
    const double natural = (inEnd - in) / inputRate;
    const double settle = std::min(kSettle, natural / 3);
    warp.push_back({onset, in});
    if (end - onset > natural && settle > 0) {
        warp.push_back({onset + settle, in + settle * inputRate});
        warp.push_back({end - settle, inEnd - settle * inputRate});
    }
    warp.push_back({end, inEnd});
}

OverlapAddPlan Plan(std::span<const SungNote> phrase, const SpokenPhrase& spoken,
                    const PhraseBounds& bounds, const PhrasePitches& pitches) {
    const int rate = spoken.sampleRate;
    const auto seconds = [rate](std::int64_t samples) {
        return static_cast<double>(samples) / rate;
    };
    OverlapAddPlan plan;
    const std::size_t n = phrase.size();
    const double lead =
        std::min(seconds(bounds.vowels[0].onset - bounds.speechStart), kLongestLead);
    const double room = phrase[0].start;
    const double leadOut = lead > room ? std::min(lead, std::max(room, kLeadAtStart)) : lead;
    double onset = std::max(phrase[0].start, leadOut);
    plan.warp.push_back({onset - leadOut, static_cast<double>(bounds.speechStart)});
    for (std::size_t k = 0; k < n; ++k) {
        const VowelSpan& vowel = bounds.vowels[k];
        const bool last = k + 1 == n;
        const std::int64_t gapEnd = last ? bounds.speechEnd : bounds.vowels[k + 1].onset;
        const double gap = GapAfter(seconds(gapEnd - vowel.end), phrase[k]);
        const double next = last ? 0 : std::max(phrase[k + 1].start, onset + kShortestVowel + gap);
        const double end =
            last ? std::max(phrase[k].start + phrase[k].length - gap, onset + kShortestVowel)
                 : next - gap;
        AddVowel(plan.warp, onset, end, static_cast<double>(vowel.onset),
                 static_cast<double>(vowel.end), rate);
        plan.held.push_back({onset, end});
        plan.regions.push_back({k == 0 ? 0.0 : static_cast<double>(spoken.vowels[k].syllableStart),
                                static_cast<double>(pitches.spoken[k]), pitches.sung[k]});
        if (last) plan.warp.push_back({end + gap, static_cast<double>(bounds.speechEnd)});
        onset = next;
    }
    return plan;
}

void Fade(std::vector<float>& samples, int rate) {
    const auto in = std::min(samples.size(), static_cast<std::size_t>(kFadeIn * rate));
    const auto out = std::min(samples.size(), static_cast<std::size_t>(kFadeOut * rate));
    for (std::size_t i = 0; i < in; ++i) samples[i] *= static_cast<float>(i) / in;
    for (std::size_t i = 0; i < out; ++i)
        samples[samples.size() - 1 - i] *= static_cast<float>(i) / out;
}

} // namespace

std::vector<std::span<const SungNote>> Phrases(std::span<const SungNote> notes) {
    std::vector<std::span<const SungNote>> phrases;
    std::size_t first = 0, wordEnd = 0; // after the last note that ends a word
    for (std::size_t i = 1; i <= notes.size(); ++i) {
        if (!notes[i - 1].wordGoesOn) wordEnd = i;
        std::size_t end = i;
        if (i < notes.size() && notes[i].phrase == notes[first].phrase) {
            if (i - first < kLongestPhrase) continue;
            if (wordEnd > first) end = wordEnd;
        }
        phrases.push_back(notes.subspan(first, end - first));
        first = end;
    }
    return phrases;
}

std::optional<PhraseSound> SingPhrase(std::span<const SungNote> phrase, VoiceKind voice, int rate) {
    if (phrase.empty() || rate <= 0) return std::nullopt;
    const PhrasePitches pitches = Pitches(phrase);
    const std::string name(RangeOf(voice).espeakVoice);
    PhraseSound sung;
    std::optional<SpokenPhrase> spoken;
    if (const PhraseText text = SpokenText(phrase); text.vowels == phrase.size())
        spoken = SpeakPhrase(text.utf8, name, pitches.spoken);
    if (!spoken) {
        sung.fellBack = true;
        spoken = SpeakPhrase(FallbackText(phrase.size()).utf8, name, pitches.spoken);
    }
    if (!spoken) return std::nullopt;
    const PhraseBounds bounds = FindVowels(*spoken);
    sung.sound = OverlapAdd(spoken->samples, spoken->sampleRate,
                            Plan(phrase, *spoken, bounds, pitches), rate);
    for (float& s : sung.sound.samples) s *= kGain;
    Fade(sung.sound.samples, rate);
    return sung;
}

std::optional<std::vector<float>> SingPiece(std::span<const SungNote> notes, VoiceKind voice,
                                            int rate) {
    std::vector<float> piece;
    const std::vector<SungNote> sung = InVoiceRange(notes, voice);
    for (const auto phrase : Phrases(sung)) {
        const auto sound = SingPhrase(phrase, voice, rate);
        if (!sound) return std::nullopt;
        MixInto(piece, sound->sound);
    }
    return piece;
}

std::optional<std::vector<float>> SingPiece(const Piece& piece, int rate) {
    return SingPiece(PieceNotes(piece), piece.settings.sound.singer, rate);
}

} // namespace kvat
