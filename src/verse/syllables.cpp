#include "verse/syllables.h"

#include "verse/letters.h"

#include <array>
#include <utility>

namespace kvat {
namespace {

// The division code: '3' vowel, '2' voiced or sonorant, '1' voiceless, '\'' й ь ъ, '.' other.
char DivisionCode(char32_t c) {
    static constexpr char kCodes[] = {'.', '3', '2', '1', '\''};
    return kCodes[static_cast<int>(ClassOf(ToLower(c)))];
}

// Where a boundary moves from its place right after a vowel; the first rule that fits wins.
// Every rule keeps the length, so the code can be rewritten in place.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kBoundaryRules = {{
    {"3-'", "3'-"},     // й, ь, ъ after a vowel stay with it
    {"3-22", "32-2"},   // of two voiced or sonorant consonants the first goes left
    {"3-21", "32-1"},   // voiced or sonorant + voiceless: the first goes left
    {"3-2'2", "32'-2"}, // split after the sign
    {"3-2'1", "32'-1"},
    {"3-1211", "31-211"}, // voiceless + voiced + two voiceless: the first goes left
}};

// The code of a word with '-' where a syllable ends inside it. A rule only ever matches at the
// "3-" of one boundary and moves that boundary off it, so applying the rules one after another
// over the whole word comes to the first fitting rule at each boundary.
void DividedCode(std::u32string_view word, std::string& code) {
    code.clear();
    std::size_t vowels = 0;
    for (char32_t c : word) {
        code.push_back(DivisionCode(c));
        vowels += code.back() == '3';
    }
    if (vowels < 2) return;
    // A boundary after every vowel but the last.
    const std::size_t plain = code.size();
    code.resize(plain + vowels - 1);
    for (std::size_t from = plain, to = code.size(), seen = 0; from-- > 0;) {
        if (code[from] == '3' && seen++ > 0) code[--to] = '-';
        code[--to] = code[from];
    }
    for (std::size_t i = 1; i < code.size(); ++i) {
        if (code[i] != '-' || code[i - 1] != '3') continue;
        for (const auto& [from, to] : kBoundaryRules)
            if (std::string_view(code).substr(i - 1, from.size()) == from) {
                code.replace(i - 1, to.size(), to);
                break;
            }
    }
}

OrthographyMessage MessageFor(std::size_t index, std::u32string_view row, std::size_t vowels) {
    const std::u32string r(row);
    if (vowels == 0)
        return {OrthographyMessage::kNoVowel, index,
                U"Ошибка орфографии! Пустая строка или в слоге [" + r +
                    U"] нет гласной буквы. Необходимо исправить исходный текст, чтобы получить "
                    U"правильный результат."};
    return {OrthographyMessage::kManyVowels, index,
            U"Ошибка орфографии! В слоге [" + r +
                U"] более одной гласной буквы. Необходимо исправить исходный текст, чтобы "
                U"получить правильный результат."};
}

} // namespace

// Writes the stream of syllables into rows: a space ends a row, "-" marks a boundary inside a
// word (" -" in the row), "+" ties a word without a vowel to the next syllable (a space in the
// row). Every finished row is checked for exactly one vowel, "_" counting as one.
class RowWriter {
public:
    // `expected`: about how many characters the rows will hold, so a long verse is not copied
    // as it grows.
    RowWriter(DividedText& out, std::size_t expected) : out_(out) {
        out_.text_.reserve(expected);
        out_.starts_.reserve(expected / 3);
        Open();
    }

    // A character of the text whose division code is already known.
    void PutCoded(char32_t c, char code) {
        if (code != '3') return Put(c);
        out_.text_.push_back(c);
        ++vowels_;
    }
    void Put(char32_t c) {
        if (c == U' ') return Close();
        if (c == U'-') {
            out_.text_ += U" -";
            return;
        }
        out_.text_.push_back(c == U'+' ? U' ' : c);
        vowels_ += c == U'_' || IsVowel(ToLower(c));
    }
    void Append(std::u32string_view s) {
        for (char32_t c : s) Put(c);
    }
    // The last row is the closing single space and is not checked.
    void Finish() { out_.text_ += U" \r\n"; }

private:
    void Open() {
        out_.starts_.push_back(out_.text_.size());
        vowels_ = 0;
    }
    void Close() {
        out_.text_ += U" \r\n";
        if (vowels_ != 1) {
            const std::size_t row = out_.starts_.size() - 1;
            out_.messages_.push_back(MessageFor(row, out_.Row(row), vowels_));
        }
        Open();
    }

    DividedText& out_;
    std::size_t vowels_ = 0;
};

namespace {

// Trimmed, with every run of spaces as one: the code then keeps step with the text.
std::u32string NormaliseSpaces(std::u32string_view line) {
    std::u32string out;
    for (char32_t c : line)
        if (c != U' ' || (!out.empty() && out.back() != U' ')) out.push_back(c);
    if (!out.empty() && out.back() == U' ') out.pop_back();
    return out;
}

// One line: syllables end at "- " inside words, a word without a vowel is tied to the next
// syllable by '+', and " _ " closes the line.
void WriteLine(std::u32string_view line, std::string& code, RowWriter& rows) {
    while (!line.empty()) {
        const std::size_t space = line.find(U' ');
        const std::u32string_view word = line.substr(0, space);
        const bool last = space == std::u32string_view::npos;
        line.remove_prefix(last ? line.size() : space + 1);
        DividedCode(word, code);
        if (code.find('3') == std::string::npos) {
            rows.Append(word);
            if (!last) rows.Put(U'+');
            continue;
        }
        std::size_t c = 0;
        for (char k : code) {
            if (k == '-') {
                rows.Append(U"- ");
            } else {
                rows.PutCoded(word[c], k);
                ++c;
            }
        }
        if (!last) rows.Put(U' ');
    }
    rows.Append(U" _ ");
}

} // namespace

DividedText DivideSyllables(const Lines& lines) {
    DividedText divided;
    if (lines.empty()) return divided;
    std::size_t characters = 0;
    for (const auto& line : lines) characters += line.size();
    RowWriter rows(divided, characters * 2 + lines.size() * 8);
    std::string code;
    for (const auto& line : lines) WriteLine(NormaliseSpaces(line), code, rows);
    rows.Finish();
    return divided;
}

} // namespace kvat
