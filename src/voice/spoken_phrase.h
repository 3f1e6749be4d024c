#pragma once
// One phrase spoken by espeak-ng at a constant pitch that moves to the next note's frequency
// where each syllable begins, with the places espeak-ng reports for its vowels.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvat {

struct SpokenVowel {
    std::int64_t syllableStart = 0; // the pitch moved to this vowel's note here
    std::int64_t end = 0;           // where the next phoneme starts
};

struct SpokenPhrase {
    int sampleRate = 0;
    std::vector<float> samples; // -1 .. 1
    std::vector<SpokenVowel> vowels;
};

inline constexpr int kSlowestWordsPerMinute = 80;

// `pitchesHz` holds one pitch per vowel of the text. Nothing when espeak-ng is missing, or
// speaks another number of vowels.
std::optional<SpokenPhrase> SpeakPhrase(const std::string& utf8, const std::string& voice,
                                        std::span<const int> pitchesHz);

} // namespace kvat
