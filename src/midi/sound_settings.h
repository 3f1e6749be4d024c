#pragma once
// Every sound choice the arrangement and the file read, as one value. The defaults are the
// window's start-up choices.

namespace kvat {

// The drum figure repeats every drumMap tokens, within these.
inline constexpr int kDrumMapLow = 3, kDrumMapHigh = 10;

struct VoiceChoice {
    bool on = false; // the voice's check box
    int program = 0; // General MIDI program, 0..127
};

struct SoundSettings {
    int dynamics = 2;     // dynamics list index ("Форте")
    int boost = 2;        // stress-boost scroll, tens of per cent, 0..dynamics
    bool lengthen = true; // lengthened line ends; also lets the boost through
    int tempo = 13;       // tempo list index ("Аллегро модерато")
    int numerator = 4;    // time signature
    int denominator = 2;
    int soprano = 2; // the melody voice always sounds
    VoiceChoice mezzo{false, 4};
    VoiceChoice tenor{false, 6};
    VoiceChoice bass{false, 8};
    bool groupOn = false; // a ready-made group chose the four voices
    int group = 0;        // ready-made group list index
    bool drumsOn = false;
    int drumFirst = 10; // percussion list index of the figure's first strokes (Low Tom)
    int drumLast = 16;  // and of its last stroke (Ride Cymbal 1)
    int drumMap = 5;    // the figure repeats every drumMap tokens, 3..10
    bool accompanimentOn = false;
    int accompaniment = 89; // program of the held chord (Pad 2 (warm))
    int effect = 0;         // output effect list index
};

// Chooses a ready-made group: ticks the three harmony voices and gives all four voices the
// group's programs. An index off the list changes nothing and returns false.
bool ApplyGroup(SoundSettings& settings, int group);

// The velocity base of every note (the dynamics value) and the boost a stressed note adds,
// in velocity steps. Indexes off their lists are taken as the nearest end, and the boost
// never exceeds what the dynamics leave free, so a velocity stays within 127.
int BaseVelocity(const SoundSettings& settings);
int StressBoost(const SoundSettings& settings);

// Beats per minute of the tempo choice, an index off the list taken as the nearest end.
int TempoBpm(const SoundSettings& settings);

} // namespace kvat
