// The one espeak-ng of the process. Its callbacks carry no pointer of ours, so the listener of
// the speech under way is kept here, where only the session holding the lock reaches it. The
// library is opened when the engine first starts: it brings the sound libraries with it, which a
// process that never speaks or guesses a stress would load for nothing.

#include "verse/espeak_engine.h"

#include <espeak-ng/espeak_ng.h>

#include <dlfcn.h>

namespace kvat {
namespace {

constexpr int kPhonemesAsIpa = 0x02;
constexpr char kStartVoice[] = "ru";
// espeak-ng's phoneme types, as its phoneme tables number them.
constexpr int kPauseType = 0, kVowelType = 2;

constexpr const char* kLibrary = "libespeak-ng.so.1";

// The entry points used, from the library opened at run time.
struct Library {
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_TextToPhonemes) textToPhonemes = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    decltype(&espeak_ng_SetOutputHooks) setOutputHooks = nullptr;
    decltype(&espeak_ng_SetConstF0) setConstF0 = nullptr;

    bool Open() {
        void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        return library && Find(library, initialize, "espeak_Initialize") &&
               Find(library, setVoiceByName, "espeak_SetVoiceByName") &&
               Find(library, setSynthCallback, "espeak_SetSynthCallback") &&
               Find(library, textToPhonemes, "espeak_TextToPhonemes") &&
               Find(library, setParameter, "espeak_SetParameter") &&
               Find(library, synth, "espeak_Synth") &&
               Find(library, setOutputHooks, "espeak_ng_SetOutputHooks") &&
               Find(library, setConstF0, "espeak_ng_SetConstF0");
    }
    template <class Function>
    static bool Find(void* library, Function& function, const char* name) {
        function = reinterpret_cast<Function>(dlsym(library, name));
        return function != nullptr;
    }
};

struct Engine {
    std::mutex mutex;
    Library library;
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
    const Library& espeak = TheEngine().library;
    if (!changed_ || !TheEngine().ready) return;
    espeak.setOutputHooks(nullptr);
    espeak.setConstF0(0);
    espeak.setVoiceByName(kStartVoice);
    espeak.setParameter(espeakRATE, espeakRATE_NORMAL, 0);
}

// Without DONT_EXIT espeak-ng ends the process when its data is missing.
bool EspeakSession::Ready() {
    Engine& engine = TheEngine();
    if (!engine.tried) {
        engine.tried = true;
        const Library& espeak = engine.library;
        engine.sampleRate = engine.library.Open()
                                ? espeak.initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                                    espeakINITIALIZE_DONT_EXIT)
                                : 0;
        engine.ready = engine.sampleRate > 0 && espeak.setVoiceByName(kStartVoice) == EE_OK;
        if (engine.ready) espeak.setSynthCallback(TellSamples);
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
    const char* phonemes =
        TheEngine().library.textToPhonemes(&cursor, espeakCHARS_UTF8, kPhonemesAsIpa);
    if (!phonemes) return std::nullopt;
    return std::string(phonemes);
}

bool EspeakSession::Speak(std::string_view utf8, const SpeechRequest& request,
                          SpeechListener& listener) {
    if (!Ready()) return false;
    changed_ = true;
    Engine& engine = TheEngine();
    const Library& espeak = engine.library;
    if (espeak.setVoiceByName(request.voice.c_str()) != EE_OK) return false;
    espeak.setParameter(espeakRATE, request.wordsPerMinute, 0);
    espeak.setConstF0(request.pitchHz);
    engine.listener = &listener;
    engine.position = 0;
    espeak.setOutputHooks(&kHooks);
    const std::string text(utf8);
    const espeak_ERROR status = espeak.synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    espeak.setOutputHooks(nullptr);
    engine.listener = nullptr;
    return status == EE_OK;
}

void EspeakSession::SetPitch(int hz) {
    if (!Ready()) return;
    changed_ = true;
    TheEngine().library.setConstF0(hz);
}

} // namespace kvat
