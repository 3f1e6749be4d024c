#pragma once
// What the window remembers besides the melody and sound settings: the choices of the settings
// page that only the window has.

#include "verse/analysis.h"

#include <QString>
#include <array>

namespace kvat {

struct WindowChoices {
    bool colour = false;  // the score's syllables in their vowel colours
    bool keepFile = true; // a copy of every played MIDI file in Kvat's music folder
    bool rhymes = true;   // the rhymes' column beside the verse
    QString device;       // the output device, by name: the devices present change between runs
    StressMode stress = StressMode::kRule;
    // Each family of methods has its own key bar (tonal, centre, template); the melody takes
    // the chosen method's.
    std::array<int, 3> keyShifts{};
    int octaves = 0; // the note map's octave list, which the next generated map draws from
};

} // namespace kvat
