#include "verse/analysis.h"

#include "verse/function_words.h"
#include "verse/letters.h"

#include <algorithm>
#include <cmath>

namespace kvat {
namespace {

constexpr std::u32string_view kDeletedPunctuation = U",:;.!?";

// How often a function word stands in the table; 0 for a content word.
int FunctionWordEntries(std::u32string_view word) {
    return static_cast<int>(std::count(std::begin(kOneSyllableFunctionWords),
                                       std::end(kOneSyllableFunctionWords), word));
}

bool IsTwoSyllableFunctionWord(std::u32string_view word) {
    return std::find(std::begin(kTwoSyllableFunctionWords), std::end(kTwoSyllableFunctionWords),
                     word) != std::end(kTwoSyllableFunctionWords);
}

// The function-word table replaces " w " by " 7 " left to right without overlap, so of a run of
// the same function word only every other one is caught: the space between two neighbours
// belongs to the first match. A word listed twice is caught on the second pass as well.
std::vector<std::u32string> MarkFunctionWords(std::vector<std::u32string> words) {
    for (std::size_t i = 0; i < words.size();) {
        const int entries = FunctionWordEntries(words[i]);
        const bool two = entries == 0 && IsTwoSyllableFunctionWord(words[i]);
        if (entries == 0 && !two) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < words.size() && words[end] == words[i]) ++end;
        for (std::size_t k = i; k < end; ++k)
            if (entries > 1 || (k - i) % 2 == 0) words[k] = two ? U"77" : U"7";
        i = end;
    }
    return words;
}

// The stress of one word: one '0' or '1' per syllable. Typed digits 1, 0 and 7 are syllables of
// their own; "ё" is always stressed; otherwise a one-syllable word is stressed, a longer one on
// its second syllable, and a word holding a "7" is wholly unstressed.
std::string WordStress(std::u32string_view word) {
    const bool hasYo = word.find(U'ё') != std::u32string_view::npos;
    std::string syllables;
    for (char32_t c : word) {
        if (IsVowel(c))
            syllables.push_back(hasYo && c == U'ё' ? '1' : '0');
        else if (c == U'1' || c == U'0' || c == U'7')
            syllables.push_back(static_cast<char>(c));
    }
    const bool marked = syllables.find_first_of("17") != std::string::npos;
    if (!marked && syllables.size() == 1)
        syllables = "1";
    else if (!marked && syllables.size() >= 2)
        syllables[1] = '1';
    std::replace(syllables.begin(), syllables.end(), '7', '0');
    return syllables;
}

std::string LineStress(std::u32string_view line) {
    std::u32string prepared;
    prepared.reserve(line.size());
    for (char32_t c : line) {
        c = ToLower(c);
        if (kDeletedPunctuation.find(c) == std::u32string_view::npos) prepared.push_back(c);
    }
    std::vector<std::u32string> words =
        Split(std::u32string_view(prepared), std::u32string_view(U" "));
    std::string stress;
    for (const auto& word : MarkFunctionWords(std::move(words))) stress += WordStress(word);
    return stress;
}

} // namespace

std::vector<std::string> StressStrings(const Lines& lines) {
    std::vector<std::string> stress;
    stress.reserve(lines.size());
    for (const auto& line : lines) stress.push_back(LineStress(line));
    return stress;
}

std::u32string PercentText(float score, char32_t decimalSeparator) {
    // A float times 10 000 is exact in a double, so halves really are halves here.
    const long long hundredths = std::llround(static_cast<double>(score) * 10000.0);
    std::u32string text;
    for (char c : std::to_string(hundredths / 100)) text.push_back(static_cast<char32_t>(c));
    text.push_back(decimalSeparator);
    text.push_back(U'0' + static_cast<char32_t>(hundredths % 100 / 10));
    text.push_back(U'0' + static_cast<char32_t>(hundredths % 10));
    text.push_back(U'%');
    return text;
}

std::vector<std::u32string> MetreItems(const std::array<float, 6>& scores, char32_t separator) {
    static constexpr std::u32string_view kPrefixes[kMetreCount] = {
        U"Хорей - ", U"Ямб - ", U"Амфибрахий - ", U"Дактиль - ", U"Анапест - "};
    std::vector<std::u32string> items;
    for (int k = 0; k < kMetreCount; ++k)
        items.push_back(std::u32string(kPrefixes[k]) + PercentText(scores[k], separator));
    items.emplace_back(U"Расстановка иктов вручную");
    return items;
}

VerseAnalysis AnalyseVerse(const Lines& lines, char32_t decimalSeparator, StressMode mode,
                           WordStressMemo* memo) {
    VerseAnalysis result;
    result.stress = StressStrings(lines);
    if (mode == StressMode::kDictionary) {
        DictionaryStress dictionary =
            DictionaryStressStrings(lines, std::move(result.stress), memo);
        result.stress = std::move(dictionary.stress);
        result.unknownWords = std::move(dictionary.unknownWords);
    }
    result.templates = BuildMetreTemplates();
    // An empty text has no lines to average over: the list stays empty, nothing is chosen.
    if (lines.empty()) return result;

    for (const auto& s : result.stress)
        for (int k = 0; k < kMetreCount; ++k) {
            const std::string_view tpl(result.templates[k]);
            // Each addition is made in double and stored as float, as the scores always were.
            result.scores[k] += MatchFraction(tpl.substr(0, s.size()), s, s.size());
        }
    // The two empty entries that close the line list count in the mean.
    const double entries = static_cast<double>(lines.size() + 2);
    for (int k = 0; k < kMetreCount; ++k)
        result.scores[k] = static_cast<float>(result.scores[k] / entries);

    result.items = MetreItems(result.scores, decimalSeparator);
    const float best =
        *std::max_element(result.scores.begin(), result.scores.begin() + kMetreCount);
    // Among equal scores the last metre in the list wins.
    for (int k = 0; k < kMetreCount; ++k)
        if (result.scores[k] == std::max(best, 0.0f)) result.metre = k;
    return result;
}

} // namespace kvat
