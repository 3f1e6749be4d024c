#include "verse/rhyme_sounds.h"

#include "verse/letters.h"

namespace kvat {
namespace {

constexpr std::u32string_view kTypedPositions = U"107";
constexpr std::u32string_view kIotated = U"яюеё";
constexpr std::u32string_view kAlwaysHard = U"жшц";
constexpr std::u32string_view kAlwaysSoft = U"чщй";
constexpr std::u32string_view kSonorants = U"лмнрй";
// Voiced obstruents and, at the same place, their voiceless pairs.
constexpr std::u32string_view kVoiced = U"бвгджз";
constexpr std::u32string_view kVoiceless = U"пфктшс";

bool In(std::u32string_view set, char32_t c) {
    return set.find(c) != std::u32string_view::npos;
}
// The same for a literal, whose length is known without counting.
template <std::size_t N> bool In(const char32_t (&set)[N], char32_t c) {
    return In(std::u32string_view(set, N - 1), c);
}
// Lower case for the Russian letters, the only ones a rhyme is read from.
constexpr char32_t Lower(char32_t c) {
    return c >= U'А' && c <= U'Я' ? c + 0x20 : c == U'Ё' ? U'ё' : c;
}
bool IsCyrillicLetter(char32_t lower) {
    return (lower >= U'а' && lower <= U'я') || lower == U'ё';
}
bool IsAccent(char32_t c) {
    return c >= 0x300 && c <= 0x36F;
}

struct Letter {
    char32_t c = 0;
    std::size_t at = 0;     // character of the line
    bool wordStart = false; // a word begins here (a hyphen between letters joins)
};

// Where the line's rhyme starts: the vowel of its last stress (its last vowel when the
// stress string stresses none) and the beginning of that vowel's word.
struct RhymeStart {
    std::size_t vowel = 0, word = 0;
    bool found = false;
};

// Whether the character at i goes on the word before it: a letter, an accent over one, or a
// hyphen between letters.
bool InWord(std::u32string_view line, std::size_t i) {
    const char32_t c = Lower(line[i]);
    return IsCyrillicLetter(c) || IsAccent(c) ||
           (c == U'-' && i + 1 < line.size() && IsCyrillicLetter(Lower(line[i + 1])));
}

RhymeStart FindRhymeStart(std::u32string_view line, std::string_view stress) {
    RhymeStart stressed, last;
    std::size_t position = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char32_t c = Lower(line[i]);
        if (IsVowel(c)) {
            last = {i, i, true};
            if (position < stress.size() && stress[position] == '1') stressed = last;
            ++position;
        } else {
            position += In(kTypedPositions, c);
        }
    }
    RhymeStart start = stressed.found ? stressed : last;
    if (!start.found) return start;
    // A word begins on a letter; accents and hyphens go on the letters before them.
    while (start.word > 0 && InWord(line, start.word - 1)) --start.word;
    while (!IsCyrillicLetter(Lower(line[start.word]))) ++start.word;
    return start;
}

// The letters of the line from `from` on, lower-cased, accents left out.
std::vector<Letter> LettersFrom(std::u32string_view line, std::size_t from) {
    std::vector<Letter> letters;
    bool inWord = false;
    for (std::size_t i = from; i < line.size(); ++i) {
        const char32_t c = Lower(line[i]);
        if (IsCyrillicLetter(c)) letters.push_back({c, i, !inWord});
        inWord = InWord(line, i) && (inWord || IsCyrillicLetter(c));
    }
    return letters;
}

char32_t VowelClass(char32_t c, bool stressed, bool wordFinal) {
    switch (c) {
    case U'я':
        return stressed || wordFinal ? U'а' : U'и';
    case U'е':
    case U'э':
        return stressed ? U'э' : wordFinal ? U'а' : U'и';
    case U'ё':
    case U'о':
        return stressed ? U'о' : U'а';
    case U'ю':
        return U'у';
    case U'ы':
        return U'и';
    default:
        return c;
    }
}

struct Item {
    Sound sound;
    bool wordEnd = false;
    bool stressed = false;
};

// The letters' sounds: softness from ь and the vowels after, the glide of the iotated vowels.
std::vector<Item> Transcribe(const std::vector<Letter>& letters, std::size_t stressed,
                             std::size_t saidAsV) {
    std::vector<Item> items;
    items.reserve(letters.size() * 2);
    bool afterSign = false;
    std::size_t wordBegin = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const char32_t c = letters[i].c;
        if (letters[i].wordStart) wordBegin = items.size(), afterSign = false;
        const bool wordEnd = i + 1 == letters.size() || letters[i + 1].wordStart;
        const bool afterConsonant =
            items.size() > wordBegin && !items.back().sound.vowel && !afterSign;
        if (c == U'ь' || c == U'ъ') {
            if (c == U'ь' && afterConsonant && !In(kAlwaysHard, items.back().sound.letter))
                items.back().sound.soft = true;
            afterSign = true;
        } else if (IsVowel(c)) {
            if (In(kIotated, c) || c == U'и') {
                if (afterConsonant) {
                    if (!In(kAlwaysHard, items.back().sound.letter)) items.back().sound.soft = true;
                } else if (c != U'и' || afterSign || items.size() > wordBegin) {
                    items.push_back({{U'й', true, false}, false, false});
                }
            }
            items.push_back(
                {{VowelClass(c, i == stressed, wordEnd), false, true}, false, i == stressed});
            afterSign = false;
        } else {
            const char32_t letter = i == saidAsV ? U'в' : c;
            items.push_back({{letter, In(kAlwaysSoft, letter), false}, false, false});
            afterSign = false;
        }
        if (wordEnd && !items.empty()) items.back().wordEnd = true;
    }
    return items;
}

template <class Set> bool IsConsonant(const Item& item, const Set& letters) {
    return !item.sound.vowel && In(letters, item.sound.letter);
}

// What is written but not said: т and д between с or з and н or л (честный, праздник), д before
// ц (сердце), л in лнц (солнце), the first в of вств, т and д before ч; and тс, дс said as ц
// (смеётся), сч and жч as щ. In place: a sound written never lies past the one being read.
void Simplify(std::vector<Item>& items) {
    std::size_t written = 0;
    auto put = [&](const Item& item) { items[written++] = item; };
    for (std::size_t i = 0; i < items.size(); ++i) {
        // Whether the k-th sound on is, inside this word, a consonant of the set.
        auto ahead = [&](std::size_t k, const auto& set) {
            for (std::size_t j = i; j < i + k; ++j)
                if (j >= items.size() || items[j].wordEnd) return false;
            return i + k < items.size() && IsConsonant(items[i + k], set);
        };
        // Whether the sound written last is, inside this word, a consonant of the set.
        auto behind = [&](const auto& set) {
            return written > 0 && !items[written - 1].wordEnd &&
                   IsConsonant(items[written - 1], set);
        };
        if (ahead(0, U"тд") && ahead(1, U"с")) {
            ++i;
            put({{U'ц', false, false}, items[i].wordEnd, false});
            continue;
        }
        if (ahead(0, U"тд") && ahead(1, U"ч")) continue;
        if (ahead(0, U"сзж") && ahead(1, U"ч")) {
            ++i;
            put({{U'щ', true, false}, items[i].wordEnd, false});
            continue;
        }
        const bool silent = (ahead(0, U"тд") && behind(U"сз") && ahead(1, U"нл")) ||
                            (ahead(0, U"д") && behind(U"рн") && ahead(1, U"ц")) ||
                            (ahead(0, U"л") && ahead(1, U"н") && ahead(2, U"ц")) ||
                            (ahead(0, U"в") && ahead(1, U"с") && ahead(2, U"т") && ahead(3, U"в"));
        if (!silent) put(items[i]);
    }
    items.resize(written);
}

// Voiced obstruents go voiceless before a pause and before a voiceless one, voiceless ones
// voiced before a voiced one other than в; a doubled consonant sounds once.
void Assimilate(std::vector<Item>& items) {
    enum { kFree, kVoicing, kDevoicing } next = kFree;
    for (std::size_t i = items.size(); i-- > 0;) {
        Sound& s = items[i].sound;
        if (items[i].wordEnd) next = kDevoicing;
        const std::size_t voiced = kVoiced.find(s.letter), voiceless = kVoiceless.find(s.letter);
        if (s.vowel || In(kSonorants, s.letter)) {
            next = kFree;
        } else if (voiced != std::u32string_view::npos) {
            if (next == kDevoicing) s.letter = kVoiceless[voiced];
            next = next == kDevoicing ? kDevoicing : s.letter == U'в' ? kFree : kVoicing;
        } else {
            if (next == kVoicing && voiceless != std::u32string_view::npos)
                s.letter = kVoiced[voiceless];
            next = In(kVoiced, s.letter) ? kVoicing : kDevoicing;
        }
    }
    std::size_t written = 0;
    for (const Item& item : items) {
        Item* last = written > 0 ? &items[written - 1] : nullptr;
        if (last && !item.sound.vowel && !last->sound.vowel &&
            last->sound.letter == item.sound.letter) {
            last->sound.soft = item.sound.soft;
            last->wordEnd = item.wordEnd;
            continue;
        }
        items[written++] = item;
    }
    items.resize(written);
}

// The adjective and pronoun ending -ого, -его says в for г (его, другого, синего); the words
// whose г belongs to the stem keep it.
constexpr std::u32string_view kStemG[] = {U"много",  U"немного",  U"строго", U"нестрого", U"убого",
                                          U"дорого", U"недорого", U"полого", U"отлого",   U"ого"};

// The letter of the first word that is said в; past the letters for none.
std::size_t SaidAsV(const std::vector<Letter>& letters) {
    std::size_t n = 1;
    while (n < letters.size() && !letters[n].wordStart) ++n;
    auto is = [&](std::u32string_view word) {
        if (word.size() != n) return false;
        for (std::size_t i = 0; i < n; ++i)
            if (letters[i].c != word[i]) return false;
        return true;
    };
    if (n < 3 || letters[n - 1].c != U'о' || letters[n - 2].c != U'г' ||
        !In(U"ое", letters[n - 3].c))
        return letters.size();
    for (auto stem : kStemG)
        if (is(stem)) return letters.size();
    return n - 2;
}

} // namespace

LineEnding EndingOfLine(std::u32string_view line, std::string_view stress) {
    LineEnding ending;
    const RhymeStart start = FindRhymeStart(line, stress);
    if (!start.found) return ending;
    const std::vector<Letter> letters = LettersFrom(line, start.word);
    std::size_t stressed = 0;
    while (letters[stressed].at != start.vowel) ++stressed;

    std::vector<Item> items = Transcribe(letters, stressed, SaidAsV(letters));
    Simplify(items);
    Assimilate(items);
    std::size_t k = 0;
    while (k < items.size() && !items[k].stressed) ++k;
    if (k == items.size()) return ending; // the stressed vowel is always kept: never taken
    ending.hasWord = true;
    if (k > 0 && !items[k - 1].sound.vowel && !items[k - 1].wordEnd)
        ending.support = items[k - 1].sound;
    ending.sounds.reserve(items.size() - k);
    for (std::size_t i = k; i < items.size(); ++i) {
        ending.sounds.push_back(items[i].sound);
        ending.postTonic += items[i].sound.vowel && i > k;
    }
    // An ending in -ей (людей, моей) is said so nearly always.
    ending.unwrittenYo = letters[stressed].c == U'е' &&
                         !(ending.sounds.size() == 2 && ending.sounds[1].letter == U'й');
    ending.begin = letters[stressed].at;
    ending.end = letters.back().at + 1;
    return ending;
}

} // namespace kvat
