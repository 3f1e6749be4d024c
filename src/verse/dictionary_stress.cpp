#include "verse/dictionary_stress.h"

#include "verse/metre_fit.h"

#include <unordered_map>

namespace kvat {
namespace {

// Enough for any one book of verse.
constexpr std::size_t kMemoLimit = 200000;

// The placed words point into `sources`, which must outlive them.
std::vector<PlacedLine> PlaceWords(const Lines& lines, WordStressMemo& sources) {
    std::vector<PlacedLine> placed(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<VerseWord> words = LineWords(lines[i]);
        MarkParticleHosts(words);
        for (auto& word : words) {
            const WordStress& stress = sources.Of(word);
            word.letters = {}; // looked up: only the vowels' places are needed from here on
            placed[i].push_back({std::move(word), &stress, 0});
        }
    }
    return placed;
}

void Write(const PlacedLine& line, std::string& stress, std::vector<TextSpan>& unknown) {
    for (const auto& w : line) {
        for (std::size_t p : w.word.vowels)
            if (p < stress.size()) stress[p] = '0';
        const std::size_t vowel = static_cast<std::size_t>(w.chosen);
        if (vowel > 0 && vowel <= w.word.vowels.size() && w.word.vowels[vowel - 1] < stress.size())
            stress[w.word.vowels[vowel - 1]] = '1';
        if (w.stress->unknown) unknown.push_back({w.word.begin, w.word.end - w.word.begin});
    }
}

} // namespace

const WordStress& WordStressMemo::Of(const VerseWord& word) {
    key_.assign(word.letters);
    key_.push_back(0);
    key_.push_back(static_cast<char32_t>(word.marked));
    key_.push_back(word.joined);
    key_.push_back(static_cast<char32_t>(word.secondary));
    key_.push_back(word.hostsParticle);
    // Most words are met before: the key is copied only for a new one.
    if (const auto at = known_.find(key_); at != known_.end()) return at->second;
    return known_.emplace(key_, StressOfWord(word)).first->second;
}

void WordStressMemo::StartAnalysis(std::size_t lines) {
    if (known_.size() > kMemoLimit) known_.clear();
    known_.reserve(lines * 2);
}

DictionaryStress DictionaryStressStrings(const Lines& lines, std::vector<std::string> ruleStress,
                                         WordStressMemo* memo) {
    WordStressMemo own;
    WordStressMemo& sources = memo ? *memo : own;
    sources.StartAnalysis(lines.size());
    std::vector<PlacedLine> placed = PlaceWords(lines, sources);
    FitToMetre(placed, CertainMetre(placed));
    DictionaryStress result{std::move(ruleStress),
                            std::vector<std::vector<TextSpan>>(lines.size())};
    result.stress.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        Write(placed[i], result.stress[i], result.unknownWords[i]);
    return result;
}

} // namespace kvat
