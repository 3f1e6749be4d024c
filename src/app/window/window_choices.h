#pragma once
// What the window remembers besides the melody and sound settings: the choices of the settings
// page that only the window has.

#include <QString>

namespace kvat {

struct WindowChoices {
    bool colour = false;  // the score's syllables in their vowel colours
    bool keepFile = true; // a copy of every played MIDI file in Kvat's music folder
    bool rhymes = true;   // the rhymes' column beside the verse
    QString device;       // the output device, by name: the devices present change between runs
};

} // namespace kvat
