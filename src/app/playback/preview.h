#pragma once
// The speaker buttons: one note of an instrument, a drum or a vowel's note, held for a little
// over a second on the chosen MIDI output without holding up the window; or a syllable of the
// voice, which sings in the synthesizer's sound whatever the output. A second press while
// a note sounds cuts that note off and plays its own for the full second.

#include "app/playback/sung_voice.h"
#include "midi/sound_settings.h"
#include "sound/live_output.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace kvat {

// Opens device-list entry `device` for one preview; nothing when it cannot.
using OutputOpener = std::function<std::unique_ptr<LiveOutput>(int device)>;

class Preview : public QObject {
    Q_OBJECT
public:
    static constexpr int kHoldMs = 1001; // "more than 1000 ms" on the millisecond clock

    explicit Preview(OutputOpener open, QObject* parent = nullptr, int holdMs = kHoldMs);
    ~Preview() override;

    // The entry chosen in the settings page's device list.
    void SetDevice(int device) { device_ = device; }
    // Where speaker 4 sings; without one it sings nowhere.
    void SetVoiceOutput(VoiceOutput output) { voice_ = std::move(output); }

    // Speaker k of the instruments page: the soprano, mezzo, tenor and bass instruments for k =
    // 0..3, the singer's syllable for 4, the drum figure's two strokes for 5 and 6, the
    // accompaniment chord's instrument for 7. Any other k plays nothing and answers false.
    bool PlaySpeaker(int k, const SoundSettings& settings);
    // Middle C on General MIDI program `program`.
    void PreviewInstrument(int program);
    // Key 60 + n on the piano: item n of a vowel's note list.
    void PreviewNote(int n);
    // Percussion key `key` on the drum channel.
    void PreviewDrum(int key);
    // «ля» sung by the voice for the second.
    void PreviewVoice(VoiceKind voice);

    // Closes the output, silencing a note still held: the stop button of playback does this.
    void CloseOutput();
    bool sounding() const { return pendingOff_.has_value() || singing_; }

signals:
    void finished(); // a preview's second has passed and its note was released

private:
    void Start(ShortMessage program, ShortMessage on, ShortMessage off);
    void Release();

    OutputOpener open_;
    int device_ = 0;
    std::unique_ptr<LiveOutput> output_;
    VoiceOutput voice_;
    bool singing_ = false;
    std::optional<ShortMessage> pendingOff_;
    QTimer hold_;
};

} // namespace kvat
