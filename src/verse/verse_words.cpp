#include "verse/verse_words.h"

#include "text/strings.h"
#include "verse/letters.h"

namespace kvat {
namespace {

constexpr char32_t kAcute = 0x301;
constexpr std::u32string_view kTypedStress = U"107";

bool IsCyrillicLetter(char32_t lower) {
    return (lower >= 0x430 && lower <= 0x44F) || lower == U'ё';
}
bool IsAccent(char32_t c) {
    return c >= 0x300 && c <= 0x36F;
}
// One position in the stress string, as the rule counts them.
bool HoldsPosition(char32_t lower) {
    return IsVowel(lower) || kTypedStress.find(lower) != kTypedStress.npos;
}

class WordReader {
public:
    explicit WordReader(std::u32string_view line) : line_(line) {}

    std::vector<VerseWord> Read() {
        for (std::size_t at = 0; at < line_.size();) {
            const std::size_t pieceEnd = std::min(line_.find(U' ', at), line_.size());
            Piece(at, pieceEnd);
            at = pieceEnd + 1;
        }
        return std::move(words_);
    }

private:
    void Piece(std::size_t begin, std::size_t end) {
        bool typed = false;
        joined_ = false;
        for (std::size_t i = begin; i < end; ++i)
            typed |= kTypedStress.find(line_[i]) != kTypedStress.npos;
        for (std::size_t i = begin; i < end;) {
            const char32_t c = ToLower(line_[i]);
            if (!typed && IsCyrillicLetter(c))
                i = Word(i, end);
            else {
                position_ += HoldsPosition(c);
                if (c != U'-') joined_ = false;
                ++i;
            }
        }
    }

    // Reads the word starting at `begin`; returns where it ends.
    std::size_t Word(std::size_t begin, std::size_t end) {
        VerseWord word;
        word.begin = begin;
        std::size_t i = begin;
        for (; i < end; ++i) {
            const char32_t c = ToLower(line_[i]);
            if (IsCyrillicLetter(c)) {
                word.letters.push_back(c);
                if (IsVowel(c)) word.vowels.push_back(position_++);
            } else if (c == kAcute && !word.vowels.empty() && IsVowel(word.letters.back())) {
                if (!word.marked) word.marked = static_cast<int>(word.vowels.size());
            } else if (IsAccent(c) && c != kAcute && !word.vowels.empty() &&
                       IsVowel(word.letters.back())) {
                if (!word.secondary) word.secondary = static_cast<int>(word.vowels.size());
            } else if (!IsAccent(c)) {
                break;
            }
        }
        word.end = i;
        word.joined = joined_;
        joined_ = i + 1 < end && line_[i] == U'-' && IsCyrillicLetter(ToLower(line_[i + 1]));
        words_.push_back(std::move(word));
        return i;
    }

    std::u32string_view line_;
    std::size_t position_ = 0;
    bool joined_ = false;
    std::vector<VerseWord> words_;
};

} // namespace

std::vector<VerseWord> LineWords(std::u32string_view line) {
    return WordReader(line).Read();
}

} // namespace kvat
