#include "melody/song_syllables.h"

namespace kvat::song {
namespace {

// Typed digits hold a place in the stress string as syllables of their own.
bool IsTypedSyllable(char32_t c) {
    return c == U'0' || c == U'1' || c == U'7';
}

// Letters, the accents typed over them and the hyphen inside a word (кто-то) make a word;
// anything else ends it.
bool IsWordCharacter(char32_t lower) {
    return ClassOf(lower) != LetterClass::kOther || (lower >= 0x300 && lower <= 0x36F) ||
           lower == U'-' || (lower >= U'a' && lower <= U'z') || IsTypedSyllable(lower);
}

// The weights of the vowels [first, end) of one word, from how many of them are stressed.
void WeighWord(SyllableLine& line, std::size_t first, const std::vector<bool>& stressed) {
    std::size_t count = 0;
    for (const bool s : stressed) count += s ? 1 : 0;
    for (std::size_t i = 0; i < stressed.size(); ++i) {
        Weight& w = line[first + i].weight;
        if (stressed.size() == 1)
            w = stressed[i] ? Weight::kStressedMono : Weight::kFree;
        else if (count == 0)
            w = Weight::kFree;
        else
            w = stressed[i] ? Weight::kWordStress : Weight::kWordUnstressed;
    }
}

SyllableLine LineSyllables(std::u32string_view text, std::string_view stress,
                           std::string_view lineTemplate) {
    SyllableLine line;
    std::vector<bool> wordStress;
    melody::IctusCursor cursor(lineTemplate);
    std::size_t position = 0, wordStart = 0;
    int word = 0;
    bool inWord = false;
    auto endWord = [&] {
        if (!wordStress.empty()) WeighWord(line, wordStart, wordStress);
        wordStress.clear();
        wordStart = line.size();
        word += inWord;
        inWord = false;
    };
    for (const char32_t c : text) {
        const char32_t lower = ToLower(c);
        if (!IsWordCharacter(lower)) {
            endWord();
            continue;
        }
        inWord = true;
        if (IsVowel(lower)) {
            wordStress.push_back(position < stress.size() && stress[position] == '1');
            line.push_back({Weight::kFree, cursor.Next(), word});
        }
        position += IsVowel(lower) || IsTypedSyllable(lower);
    }
    endWord();
    return line;
}

} // namespace

std::vector<SyllableLine> SongSyllables(const Lines& lines, std::span<const std::string> stress,
                                        const melody::LineTemplates& templates) {
    std::vector<SyllableLine> result;
    result.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        result.push_back(LineSyllables(lines[i], i < stress.size() ? stress[i] : std::string_view(),
                                       templates.ForLine(i)));
    return result;
}

} // namespace kvat::song
