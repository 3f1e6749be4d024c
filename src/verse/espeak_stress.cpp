// espeak-ng keeps its state in globals, so every call goes through the one instance below, one
// at a time. It is the only process-wide state of the verse analysis, and it only ever holds
// what espeak-ng would answer again for the same word. The library is opened on first use: it
// brings the sound libraries with it, which a command that never asks it would load for nothing.

#include "verse/espeak_stress.h"

#include "text/utf8.h"
#include "verse/letters.h"

#include <espeak-ng/speak_lib.h>

#include <dlfcn.h>

#include <mutex>
#include <string>
#include <unordered_map>

namespace kvat {
namespace {

constexpr int kPhonemesAsIpa = 0x02;
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

constexpr const char* kLibrary = "libespeak-ng.so.1";

// The three entry points used, from the library opened at run time.
struct EspeakLibrary {
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_TextToPhonemes) textToPhonemes = nullptr;

    bool Open() {
        void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!library) return false;
        initialize = reinterpret_cast<decltype(initialize)>(dlsym(library, "espeak_Initialize"));
        setVoiceByName =
            reinterpret_cast<decltype(setVoiceByName)>(dlsym(library, "espeak_SetVoiceByName"));
        textToPhonemes =
            reinterpret_cast<decltype(textToPhonemes)>(dlsym(library, "espeak_TextToPhonemes"));
        return initialize && setVoiceByName && textToPhonemes;
    }
};

class Espeak {
public:
    std::optional<int> StressedVowel(std::u32string_view word) {
        const std::lock_guard lock(mutex_);
        if (const auto known = cache_.find(std::u32string(word)); known != cache_.end())
            return known->second ? std::optional<int>(known->second) : std::nullopt;
        if (!Ready()) return std::nullopt;
        const auto answer = Ask(word);
        if (cache_.size() >= kCacheLimit) cache_.clear();
        cache_.emplace(word, answer.value_or(0));
        return answer;
    }

private:
    // Started on first use; without this option espeak-ng ends the process when its data is
    // missing.
    bool Ready() {
        if (!tried_) {
            tried_ = true;
            ready_ = library_.Open() &&
                     library_.initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                         espeakINITIALIZE_DONT_EXIT) > 0 &&
                     library_.setVoiceByName("ru") == EE_OK;
        }
        return ready_;
    }

    std::optional<int> Ask(std::u32string_view word) const {
        int vowels = 0;
        for (char32_t c : word) vowels += IsVowel(c);
        if (word.size() > kLongestWord || vowels == 0) return std::nullopt;
        const std::string text = EncodeUtf8(word);
        const void* cursor = text.c_str();
        const char* phonemes = library_.textToPhonemes(&cursor, espeakCHARS_UTF8, kPhonemesAsIpa);
        if (!phonemes) return std::nullopt;
        const auto ipa = DecodeUtf8(phonemes);
        if (!ipa) return std::nullopt;
        const auto syllable = StressedSyllable(*ipa, vowels);
        return syllable ? std::optional<int>(*syllable + 1) : std::nullopt;
    }

    std::mutex mutex_;
    EspeakLibrary library_;
    bool tried_ = false;
    bool ready_ = false;
    std::unordered_map<std::u32string, int> cache_; // 0: espeak-ng had no answer
};

} // namespace

std::optional<int> EspeakStressedVowel(std::u32string_view word) {
    static Espeak espeak;
    return espeak.StressedVowel(word);
}

} // namespace kvat
