#pragma once
// What the voice sings: notes with their times, keys and syllables, one phrase per verse line.

#include "midi/sound_settings.h"

#include <string>

namespace kvat {

struct SungNote {
    double start = 0;  // seconds from the piece's start
    double length = 0; // seconds
    int key = 60;      // MIDI key
    // The syllable the score writes under the note, without the hyphen; empty where a syllable
    // spans two vowel letters and this note sings its second vowel.
    std::u32string syllable;
    bool wordGoesOn = false; // the next note sings on in the same word
    int phrase = 0;          // notes of one phrase follow each other; phrases in order
};

} // namespace kvat
