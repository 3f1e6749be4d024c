#include "verse/word_stress.h"

#include "verse/espeak_stress.h"
#include "verse/letters.h"
#include "verse/stress_lexicon.h"
#include "verse/stress_words.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace kvat {
namespace {

template <std::size_t N>
bool Holds(const std::u32string_view (&table)[N], std::u32string_view word) {
    return std::find(std::begin(table), std::end(table), word) != std::end(table);
}

void Propose(std::vector<int>& readings, std::optional<int> vowel, int vowels) {
    if (vowel && *vowel >= 1 && *vowel <= vowels &&
        std::find(readings.begin(), readings.end(), *vowel) == readings.end())
        readings.push_back(*vowel);
}

std::optional<int> FirstYo(const std::u32string& letters) {
    int vowel = 0;
    for (char32_t c : letters) {
        vowel += IsVowel(c);
        if (c == U'ё') return vowel;
    }
    return std::nullopt;
}

// The lexicons' stressed readings of a word of `vowels` vowels; their "no stress" is dropped,
// since a word of two syllables is read with one in verse.
std::vector<int> Stressed(std::vector<int> readings, int vowels) {
    std::erase_if(readings, [&](int r) { return r < 1 || r > vowels; });
    return readings;
}

// Verse writes -ье, -ья, -ьем where prose writes -ие, -ия, -ием (вдохновенья): the prose form's
// readings, renumbered for the vowel the soft sign stands for.
std::vector<int> PoeticFormReadings(const std::u32string& letters, int vowels) {
    const std::size_t sign = letters.rfind(U'ь');
    if (sign == std::u32string::npos || sign + 1 >= letters.size() || sign == 0 ||
        std::u32string_view(U"еяюи").find(letters[sign + 1]) == std::u32string_view::npos)
        return {};
    std::u32string prose = letters;
    prose[sign] = U'и';
    const int added = 1 + static_cast<int>(std::count_if(letters.begin(), letters.begin() + sign,
                                                         [](char32_t c) { return IsVowel(c); }));
    std::vector<int> readings;
    for (int r : Stressed(LexiconReadings(prose), vowels + 1))
        if (r != added) readings.push_back(r < added ? r : r - 1);
    return readings;
}

// The lexicons' readings of the word; a user's secondary accent (U+0300) stands before the
// main stress (свѐтопреставленье), so none at or before it.
std::vector<int> KnownReadings(const std::u32string& letters, int vowels, int secondary) {
    std::vector<int> readings = Stressed(LexiconReadings(letters), vowels);
    if (readings.empty()) readings = PoeticFormReadings(letters, vowels);
    std::erase_if(readings, [&](int r) { return r <= secondary; });
    return readings;
}

// The endings model's and espeak-ng's readings, after the lexicons' own. On its own espeak-ng
// is right more often (73 % of the words no lexicon holds, against 68 %), but with the metre to
// choose between the two, the endings model first reads more words and metres right.
void AddGuesses(WordStress& stress, const std::u32string& letters, int vowels, int secondary) {
    if (const std::optional<int> ending = EndingStress(letters))
        Propose(stress.readings, vowels + 1 - *ending, vowels);
    Propose(stress.readings, EspeakStressedVowel(letters), vowels);
    std::erase_if(stress.readings, [&](int r) { return r <= secondary; });
    // Without any source, the vowel after the secondary accent, or the rule's second.
    if (stress.readings.empty()) Propose(stress.readings, secondary ? secondary + 1 : 2, vowels);
}

WordStress Polysyllable(const VerseWord& word) {
    const int vowels = static_cast<int>(word.vowels.size());
    WordStress stress;
    stress.readings = KnownReadings(word.letters, vowels, word.secondary);
    stress.lexicon = stress.readings.size();
    stress.unknown = stress.readings.empty() && LexiconReadings(word.letters).empty();
    stress.kind = stress.lexicon == 1 ? StressKind::kCertain : StressKind::kGuess;
    if (Holds(kMetricalFunctionWords, word.letters)) stress.kind = StressKind::kMetrical;
    AddGuesses(stress, word.letters, vowels, word.secondary);
    return stress;
}

bool IsParticle(const VerseWord& word) {
    return word.joined && Holds(kHyphenParticles, word.letters);
}

} // namespace

WordStress StressOfWord(const VerseWord& word) {
    const int vowels = static_cast<int>(word.vowels.size());
    if (vowels == 0) return {StressKind::kClitic, {}, false};
    if (word.marked) return {StressKind::kFixed, {word.marked}, false};
    if (const auto yo = FirstYo(word.letters)) return {StressKind::kFixed, {*yo}, false};
    if (IsParticle(word)) return {StressKind::kClitic, {}, false};
    if (vowels > 1) return Polysyllable(word);
    if (word.hostsParticle) return {StressKind::kStressed, {1}, false};
    if (Holds(kCliticWords, word.letters)) return {StressKind::kClitic, {}, false};
    if (Holds(kMetricalWords, word.letters)) return {StressKind::kMetrical, {1}, false};
    return {StressKind::kStressed, {1}, false};
}

void MarkParticleHosts(std::vector<VerseWord>& words) {
    for (std::size_t i = 1; i < words.size(); ++i)
        if (IsParticle(words[i])) words[i - 1].hostsParticle = true;
}

} // namespace kvat
