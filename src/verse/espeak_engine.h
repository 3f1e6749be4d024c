#pragma once
// espeak-ng keeps its whole state in process-wide globals, so Kvat has one engine: started once
// with one set of flags, used by one holder at a time. Every user (the dictionary stress, the
// singing voice) opens an EspeakSession and asks it; nothing else calls espeak-ng.

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kvat {

enum class PhonemeKind { kPause, kVowel, kConsonant };

// Told what espeak-ng produces while it speaks, in the order it produces it.
class SpeechListener {
public:
    virtual ~SpeechListener() = default;
    // A phoneme starts at output sample `at` (espeak-ng may name it more than once).
    virtual void Phoneme(std::string_view name, PhonemeKind kind, std::int64_t at) = 0;
    virtual void Samples(std::span<const std::int16_t> samples) = 0;
};

struct SpeechRequest {
    std::string voice = "ru"; // an espeak-ng voice, a variant after '+' ("ru+f3")
    int wordsPerMinute = 175; // espeak-ng's own default
    int pitchHz = 0;          // a constant pitch from the start; 0: the voice's intonation
};

// Holds the engine for its lifetime; whatever a holder changed (voice, speed, pitch, listener)
// is put back when the session ends, so the next holder finds the engine as it was started.
class EspeakSession {
public:
    EspeakSession();
    ~EspeakSession();
    EspeakSession(const EspeakSession&) = delete;
    EspeakSession& operator=(const EspeakSession&) = delete;

    // Started on first use with its Russian voice; false when espeak-ng or its data is missing.
    bool Ready();
    // Output samples per second of Speak; 0 before Ready.
    int SampleRate() const;

    // The phonemes of one word as IPA, as espeak-ng's Russian dictionary reads it.
    std::optional<std::string> WordIpa(std::string_view utf8);

    // Speaks UTF-8 text to the end, synchronously, telling `listener`. False when the engine
    // is not ready or refuses the voice or the text.
    bool Speak(std::string_view utf8, const SpeechRequest& request, SpeechListener& listener);
    // From a listener's call during Speak: a constant pitch from the next sample on.
    void SetPitch(int hz);

private:
    std::unique_lock<std::mutex> lock_;
    bool changed_ = false;
};

} // namespace kvat
