// The one espeak-ng of the process. Its callbacks carry no pointer of ours, so the listener of
// the speech under way is kept here, where only the session holding the lock reaches it.

#include "verse/espeak_engine.h"

#include <espeak-ng/espeak_ng.h>

namespace kvat {
namespace {

constexpr int kPhonemesAsIpa = 0x02;
constexpr char kStartVoice[] = "ru";
// espeak-ng's phoneme types, as its phoneme tables number them.
constexpr int kPauseType = 0, kVowelType = 2;

struct Engine {
    std::mutex mutex;
    bool tried = false;
    bool ready = false;
    int sampleRate = 0;
    SpeechListener* listener = nullptr; // the speech under way
    std::int64_t position = 0;          // samples it has produced so far
};

Engine& TheEngine() {
    static Engine engine;
    return engine;
}

// Every output sample passes one of the three sample hooks, just as it is made: they keep the
// count that places the phoneme marks on the samples.
void CountSample(short) {
    ++TheEngine().position;
}

void TellPhoneme(char* name, int type) {
    Engine& engine = TheEngine();
    if (!engine.listener || !name) return;
    const PhonemeKind kind = type == kPauseType   ? PhonemeKind::kPause
                             : type == kVowelType ? PhonemeKind::kVowel
                                                  : PhonemeKind::kConsonant;
    engine.listener->Phoneme(name, kind, engine.position);
}

int TellSamples(short* samples, int count, espeak_EVENT*) {
    Engine& engine = TheEngine();
    if (engine.listener && samples && count > 0)
        engine.listener->Samples(
            std::span<const std::int16_t>(samples, static_cast<std::size_t>(count)));
    return 0;
}

espeak_ng_OUTPUT_HOOKS kHooks{TellPhoneme, CountSample, CountSample, CountSample};

} // namespace

EspeakSession::EspeakSession() : lock_(TheEngine().mutex) {}

EspeakSession::~EspeakSession() {
    if (!changed_) return;
    espeak_ng_SetOutputHooks(nullptr);
    espeak_ng_SetConstF0(0);
    espeak_SetVoiceByName(kStartVoice);
    espeak_SetParameter(espeakRATE, espeakRATE_NORMAL, 0);
}

// Without DONT_EXIT espeak-ng ends the process when its data is missing.
bool EspeakSession::Ready() {
    Engine& engine = TheEngine();
    if (!engine.tried) {
        engine.tried = true;
        engine.sampleRate =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        engine.ready = engine.sampleRate > 0 && espeak_SetVoiceByName(kStartVoice) == EE_OK;
        if (engine.ready) espeak_SetSynthCallback(TellSamples);
    }
    return engine.ready;
}

int EspeakSession::SampleRate() const {
    const Engine& engine = TheEngine();
    return engine.ready ? engine.sampleRate : 0;
}

std::optional<std::string> EspeakSession::WordIpa(std::string_view utf8) {
    if (!Ready()) return std::nullopt;
    const std::string text(utf8);
    const void* cursor = text.c_str();
    const char* phonemes = espeak_TextToPhonemes(&cursor, espeakCHARS_UTF8, kPhonemesAsIpa);
    if (!phonemes) return std::nullopt;
    return std::string(phonemes);
}

bool EspeakSession::Speak(std::string_view utf8, const SpeechRequest& request,
                          SpeechListener& listener) {
    if (!Ready()) return false;
    changed_ = true;
    if (espeak_SetVoiceByName(request.voice.c_str()) != EE_OK) return false;
    espeak_SetParameter(espeakRATE, request.wordsPerMinute, 0);
    espeak_ng_SetConstF0(request.pitchHz);
    Engine& engine = TheEngine();
    engine.listener = &listener;
    engine.position = 0;
    espeak_ng_SetOutputHooks(&kHooks);
    const std::string text(utf8);
    const espeak_ERROR status = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    espeak_ng_SetOutputHooks(nullptr);
    engine.listener = nullptr;
    return status == EE_OK;
}

void EspeakSession::SetPitch(int hz) {
    changed_ = true;
    espeak_ng_SetConstF0(hz);
}

} // namespace kvat
