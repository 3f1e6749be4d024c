#pragma once
// Every sound choice the arrangement and the file read, as one value, each in its own unit: per
// cent, beats per minute, General MIDI programs and percussion keys. The lists that offer them
// are the window's business. The defaults are the window's start-up choices.

#include "midi/presets.h"

namespace kvat {

// The drum figure repeats every drumMap tokens, within these.
inline constexpr int kDrumMapLow = 3, kDrumMapHigh = 10;

struct VoiceChoice {
    bool on = false; // the voice's check box
    int program = 0; // General MIDI program, 0..127
    bool operator==(const VoiceChoice&) const = default;
};

// The singing voice's two voices: espeak-ng's Russian voice and its female variant.
enum class VoiceKind { kMale, kFemale };

struct SoundSettings {
    int dynamicsPercent = 80; // the notes' loudness ("Форте"): their velocity base, 30..100
    int boostPercent = 20;    // what a stressed note gains, 0..100 - dynamicsPercent
    bool lengthen = true;     // lengthened line ends; also lets the boost through
    int beatsPerMinute = 108; // quarter notes per minute ("Аллегро модерато")
    int numerator = 4;        // time signature
    int denominator = 2;
    int soprano = 2; // the melody voice always sounds
    VoiceChoice mezzo{false, 4};
    VoiceChoice tenor{false, 6};
    VoiceChoice bass{false, 8};
    bool groupOn = false; // a ready-made group chose the four voices
    VoiceGroup group = VoiceGroup::kStrings;
    bool drumsOn = false;
    int firstDrumKey = 45; // percussion key of the figure's first strokes (Low Tom)
    int lastDrumKey = 51;  // and of its last stroke (Ride Cymbal 1)
    int drumMap = 5;       // the figure repeats every drumMap tokens, 3..10
    bool accompanimentOn = false;
    int accompaniment = 89; // program of the held chord (Pad 2 (warm))
    OutputEffect effect = OutputEffect::kNone;
    // The verse's syllables sung on the melody, in the sound alone: the MIDI file and the score
    // carry them as words already.
    bool singing = false;
    VoiceKind singer = VoiceKind::kMale;
    bool operator==(const SoundSettings&) const = default;
};

// Chooses a ready-made group: ticks the three harmony voices and gives all four voices the
// group's programs. A value off the list changes nothing and returns false.
bool ApplyGroup(SoundSettings& settings, VoiceGroup group);

// The velocity base of every note and the boost a stressed note adds, in velocity steps. The
// dynamics are taken within the dynamics list's range, and the boost never exceeds what they
// leave free, so a velocity stays within 127.
int BaseVelocity(const SoundSettings& settings);
int StressBoost(const SoundSettings& settings);

} // namespace kvat
