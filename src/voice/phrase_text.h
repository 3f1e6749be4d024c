#pragma once
// The text espeak-ng speaks for one phrase: its notes' syllables put together into words.

#include "voice/sung_note.h"

#include <cstddef>
#include <span>
#include <string>

namespace kvat {

struct PhraseText {
    std::string utf8;       // lower-case Russian letters, words parted by single spaces
    std::size_t vowels = 0; // vowel letters in it
};

// A word without a vowel («в», «к», «с», «ж») is joined to its neighbour, as espeak-ng would
// otherwise spell it as a letter («ка»): a particle that leans back («ж», «ль», «б») to the word
// before it, any other to the word after it.
PhraseText SpokenText(std::span<const SungNote> phrase);

// What a phrase is sung on when its own words cannot be: «а» once per note.
PhraseText FallbackText(std::size_t notes);

} // namespace kvat
