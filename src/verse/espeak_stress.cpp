// The answers are remembered in the one cache below, the only process-wide state of the verse
// analysis besides espeak-ng itself, and it only ever holds what espeak-ng would answer again for
// the same word.

#include "verse/espeak_stress.h"

#include "text/utf8.h"
#include "verse/espeak_engine.h"
#include "verse/letters.h"

#include <mutex>
#include <string>
#include <unordered_map>

namespace kvat {
namespace {

// Longer "words" are not words; espeak-ng would spell them out letter by letter.
constexpr std::size_t kLongestWord = 40;
// Enough for any one book of verse; past it the cache starts again rather than grow for ever.
constexpr std::size_t kCacheLimit = 200000;

constexpr std::u32string_view kIpaVowels = U"aɑɐʌəeɛiɪɨyoɵɔuʊæøœ";
constexpr char32_t kPrimary = U'ˈ', kSecondary = U'ˌ', kSoftSign = U'^';

// The syllable a stress mark stands before, 0-based, from the IPA espeak-ng wrote.
std::optional<int> StressedSyllable(std::u32string_view ipa, int vowels) {
    int nuclei = 0;
    std::optional<int> primary, secondary;
    for (std::size_t i = 0; i < ipa.size(); ++i) {
        const char32_t c = ipa[i];
        if (c == kPrimary && !primary)
            primary = nuclei;
        else if (c == kSecondary && !secondary)
            secondary = nuclei;
        // "ɪ^" is how espeak-ng sounds a soft sign, which is no syllable.
        else if (kIpaVowels.find(c) != std::u32string_view::npos &&
                 !(i + 1 < ipa.size() && ipa[i + 1] == kSoftSign))
            ++nuclei;
    }
    const auto stressed = primary ? primary : secondary;
    if (nuclei != vowels || !stressed || *stressed >= vowels) return std::nullopt;
    return stressed;
}

// The cache's lock is taken before the engine's, never after it.
class Espeak {
public:
    std::optional<int> StressedVowel(std::u32string_view word) {
        const std::lock_guard lock(mutex_);
        if (const auto known = cache_.find(std::u32string(word)); known != cache_.end())
            return known->second ? std::optional<int>(known->second) : std::nullopt;
        EspeakSession espeak;
        if (!espeak.Ready()) return std::nullopt;
        const auto answer = Ask(espeak, word);
        if (cache_.size() >= kCacheLimit) cache_.clear();
        cache_.emplace(word, answer.value_or(0));
        return answer;
    }

private:
    static std::optional<int> Ask(EspeakSession& espeak, std::u32string_view word) {
        int vowels = 0;
        for (char32_t c : word) vowels += IsVowel(c);
        if (word.size() > kLongestWord || vowels == 0) return std::nullopt;
        const auto phonemes = espeak.WordIpa(EncodeUtf8(word));
        if (!phonemes) return std::nullopt;
        const auto ipa = DecodeUtf8(*phonemes);
        if (!ipa) return std::nullopt;
        const auto syllable = StressedSyllable(*ipa, vowels);
        return syllable ? std::optional<int>(*syllable + 1) : std::nullopt;
    }

    std::mutex mutex_;
    std::unordered_map<std::u32string, int> cache_; // 0: espeak-ng had no answer
};

} // namespace

std::optional<int> EspeakStressedVowel(std::u32string_view word) {
    static Espeak espeak;
    return espeak.StressedVowel(word);
}

} // namespace kvat
