#include "verse/rhyme_scheme.h"

#include <algorithm>
#include <array>

namespace kvat {
namespace {

// The letters of a scheme: х is kept for the lines without a rhyme, and letters that look
// alike or stand for no sound of their own are left out.
constexpr std::u32string_view kSchemeLetters = U"абвгдежзиклмнопрстуфцчшщэюя";
constexpr char32_t kUnrhymedLetter = U'х';

// By Clausula: the word for a line's end, which a rhyme and a clausula alike take.
constexpr std::array<std::u32string_view, 5> kClausulaNames = {
    U"", U"мужская", U"женская", U"дактилическая", U"гипердактилическая"};

// Names of the schemes that repeat one block: the letters of the block, 0 for its first rhyme.
struct NamedScheme {
    std::u32string_view name;
    std::array<int, 4> block;
    int length;
    int rhymes;
};
constexpr NamedScheme kNamedSchemes[] = {
    {U"парная", {0, 0}, 2, 1},
    {U"перекрёстная", {0, 1, 0, 1}, 4, 2},
    {U"опоясывающая", {0, 1, 1, 0}, 4, 2},
};

// Bijective numbering in an alphabet: 0 → the first letter, then two letters after the last.
template <class Char>
std::basic_string<Char> Numbered(int index, std::basic_string_view<Char> abc) {
    std::basic_string<Char> label;
    const auto size = static_cast<unsigned>(abc.size());
    for (auto n = static_cast<unsigned>(index) + 1; n > 0; n = (n - 1) / size)
        label.insert(label.begin(), abc[(n - 1) % size]);
    return label;
}

std::u32string Letter(std::u32string text, Clausula clausula) {
    if (clausula != Clausula::kMasculine)
        for (char32_t& c : text) c -= 0x20; // а … я to А … Я
    if (clausula == Clausula::kDactylic) text += U'′';
    if (clausula == Clausula::kHyperdactylic) text += U'″';
    return text;
}

std::u32string_view NameOf(const std::vector<int>& letters) {
    for (const NamedScheme& named : kNamedSchemes) {
        const auto n = static_cast<int>(letters.size());
        bool fits = n > 0 && n % named.length == 0;
        for (int i = 0; fits && i < n; ++i)
            fits = letters[i] == named.block[i % named.length] + i / named.length * named.rhymes;
        if (fits) return named.name;
    }
    return {};
}

// Per line its rhyme's place among its stanza's rhymes (0 for the first to appear), -1 for a
// line without a rhyme, kNoWord for a line without a word.
std::vector<int> StanzaLetters(const std::vector<LineRhyme>& rhymes) {
    std::vector<int> letters(rhymes.size(), kNoWord);
    int stanza = -1, firstGroup = -1;
    for (std::size_t i = 0; i < rhymes.size(); ++i) {
        const LineRhyme& line = rhymes[i];
        if (line.stanza < 0) continue;
        if (line.stanza != stanza) {
            stanza = line.stanza;
            firstGroup = -1;
        }
        // A stanza's rhymes start inside it, and groups are numbered as they start: its
        // first group's number is the smallest of its groups.
        if (line.group >= 0 && firstGroup < 0) firstGroup = line.group;
        letters[i] = line.group >= 0 ? line.group - firstGroup : -1;
    }
    return letters;
}

} // namespace

std::string RhymeLabel(int group) {
    if (group == kNoWord) return "";
    if (group < 0) return "-";
    return Numbered(group, std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
}

std::vector<std::u32string> SchemeLetters(const std::vector<LineRhyme>& rhymes) {
    const std::vector<int> letters = StanzaLetters(rhymes);
    std::vector<std::u32string> texts(rhymes.size());
    for (std::size_t i = 0; i < rhymes.size(); ++i)
        if (letters[i] != kNoWord)
            texts[i] = Letter(letters[i] < 0 ? std::u32string(1, kUnrhymedLetter)
                                             : Numbered(letters[i], kSchemeLetters),
                              rhymes[i].clausula);
    return texts;
}

std::u32string RhymeDescription(const LineRhyme& rhyme, std::u32string_view letter) {
    const std::u32string clausula(kClausulaNames[static_cast<std::size_t>(rhyme.clausula)]);
    if (rhyme.group == kNoWord) return {};
    if (rhyme.group < 0) return U"без рифмы, " + clausula + U" клаузула";
    return U"рифма " + std::u32string(letter) + U", " + clausula + U", " +
           (rhyme.exact ? U"точная" : U"неточная");
}

std::vector<StanzaScheme> StanzaSchemes(const std::vector<LineRhyme>& rhymes) {
    const std::vector<int> letters = StanzaLetters(rhymes);
    const std::vector<std::u32string> texts = SchemeLetters(rhymes);
    std::vector<StanzaScheme> schemes;
    std::vector<int> stanzaLetters; // the current stanza's, for its name
    int stanza = -1;
    auto close = [&] {
        if (!schemes.empty()) schemes.back().name = NameOf(stanzaLetters);
        stanzaLetters.clear();
    };
    for (std::size_t i = 0; i < rhymes.size(); ++i) {
        if (letters[i] == kNoWord) continue;
        if (rhymes[i].stanza != stanza) {
            close();
            schemes.emplace_back();
            stanza = rhymes[i].stanza;
        }
        stanzaLetters.push_back(letters[i]);
        schemes.back().scheme += texts[i];
    }
    close();
    return schemes;
}

} // namespace kvat
