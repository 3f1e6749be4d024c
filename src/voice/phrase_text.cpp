#include "voice/phrase_text.h"

#include "text/strings.h"
#include "text/utf8.h"
#include "verse/letters.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kvat {
namespace {

constexpr std::array<std::u32string_view, 3> kLeaningBack = {U"ж", U"ль", U"б"};

bool IsRussianLetter(char32_t lower) {
    return ClassOf(lower) != LetterClass::kOther;
}

bool HasVowel(std::u32string_view word) {
    return std::ranges::any_of(word, IsVowel);
}

// The words of the phrase: letters only, lower-cased; a syllable whose word does not go on
// ends its word, and so does anything not a letter inside a syllable ("в ле").
std::vector<std::u32string> Words(std::span<const SungNote> phrase) {
    std::vector<std::u32string> words(1);
    auto endWord = [&] {
        if (!words.back().empty()) words.emplace_back();
    };
    for (const SungNote& note : phrase) {
        for (char32_t c : note.syllable) {
            const char32_t lower = ToLower(c);
            if (IsRussianLetter(lower))
                words.back().push_back(lower);
            else
                endWord();
        }
        if (!note.wordGoesOn) endWord();
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

// Every vowel-less word goes into a neighbour; a phrase of such words alone stays as it is.
std::vector<std::u32string> JoinVowelless(std::vector<std::u32string> words) {
    std::vector<std::u32string> joined;
    std::u32string waiting; // words that lean on the next one
    for (auto& word : words) {
        if (HasVowel(word)) {
            joined.push_back(waiting + word);
            waiting.clear();
        } else if (!joined.empty() && std::ranges::find(kLeaningBack, word) != kLeaningBack.end())
            joined.back() += word;
        else
            waiting += word;
    }
    if (!waiting.empty()) {
        if (joined.empty())
            joined.push_back(waiting);
        else
            joined.back() += waiting;
    }
    return joined;
}

} // namespace

PhraseText SpokenText(std::span<const SungNote> phrase) {
    PhraseText text;
    std::u32string joined;
    for (const auto& word : JoinVowelless(Words(phrase))) {
        if (!joined.empty()) joined.push_back(U' ');
        joined += word;
    }
    text.vowels = static_cast<std::size_t>(std::ranges::count_if(joined, IsVowel));
    text.utf8 = EncodeUtf8(joined);
    return text;
}

PhraseText FallbackText(std::size_t notes) {
    PhraseText text;
    for (std::size_t i = 0; i < notes; ++i) text.utf8 += i == 0 ? "а" : " а";
    text.vowels = notes;
    return text;
}

} // namespace kvat
