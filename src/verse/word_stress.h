#pragma once
// What the stress sources say about one word, before the metre has its say.

#include "verse/verse_words.h"

#include <vector>

namespace kvat {

enum class StressKind {
    kFixed,    // the user's accent or a ё: never moved
    kCertain,  // the lexicons give one reading
    kGuess,    // a homograph, or a word no lexicon holds
    kClitic,   // a word of one syllable that leans on its neighbours: never stressed
    kMetrical, // a short function word, stressed only where the metre wants it
    kStressed, // any other word of one syllable
};

struct WordStress {
    StressKind kind = StressKind::kGuess;
    // 1-based vowels: the lexicons' readings, then the endings model's and espeak-ng's guesses;
    // empty: no stress.
    std::vector<int> readings;
    bool unknown = false;    // no lexicon holds the word: its stress is a guess
    std::size_t lexicon = 0; // how many of the readings, from the first, the lexicons give
};

// Asks the lexicons, the endings model and espeak-ng; the first stress source that is sure
// (the user's accent, a ё, the short-word tables) answers alone.
WordStress StressOfWord(const VerseWord& word);

// Marks each word that a particle of no stress follows after a hyphen (кто-то, скажи-ка): the
// pair has one stress, and it is the host's.
void MarkParticleHosts(std::vector<VerseWord>& words);

} // namespace kvat
