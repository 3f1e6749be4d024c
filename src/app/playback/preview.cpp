#include "app/playback/preview.h"

#include "midi/status_bytes.h"
#include "midi/track_events.h"

#include <algorithm>

namespace kvat {
namespace {

constexpr std::uint8_t kDrums = kDrumChannel;
constexpr int kMiddleC = 60;
constexpr int kVelocity = 127;
constexpr int kPiano = 0;
constexpr int kDrumProgram = 101;

std::uint8_t Data(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

ShortMessage Message(int status, int data1, int data2 = 0) {
    return {static_cast<std::uint8_t>(status), Data(data1), Data(data2)};
}

} // namespace

Preview::Preview(OutputOpener open, QObject* parent, int holdMs)
    : QObject(parent), open_(std::move(open)) {
    hold_.setSingleShot(true);
    hold_.setTimerType(Qt::PreciseTimer);
    hold_.setInterval(holdMs);
    connect(&hold_, &QTimer::timeout, this, &Preview::Release);
}

Preview::~Preview() {
    CloseOutput();
}

bool Preview::PlaySpeaker(int k, const SoundSettings& settings) {
    switch (k) {
    case 0:
        PreviewInstrument(settings.soprano);
        return true;
    case 1:
        PreviewInstrument(settings.mezzo.program);
        return true;
    case 2:
        PreviewInstrument(settings.tenor.program);
        return true;
    case 3:
        PreviewInstrument(settings.bass.program);
        return true;
    case 4:
        PreviewVoice(settings.singer);
        return true;
    case 5:
        PreviewDrum(settings.firstDrumKey);
        return true;
    case 6:
        PreviewDrum(settings.lastDrumKey);
        return true;
    case 7:
        PreviewInstrument(settings.accompaniment);
        return true;
    default:
        return false;
    }
}

void Preview::PreviewInstrument(int program) {
    Start(Message(midi::kProgramChange, program), Message(midi::kNoteOn, kMiddleC, kVelocity),
          Message(midi::kNoteOff, kMiddleC));
}

void Preview::PreviewNote(int n) {
    Start(Message(midi::kProgramChange, kPiano), Message(midi::kNoteOn, kMiddleC + n, kVelocity),
          Message(midi::kNoteOff, kMiddleC + n));
}

void Preview::PreviewDrum(int key) {
    Start(Message(midi::kProgramChange | kDrums, kDrumProgram),
          Message(midi::kNoteOn | kDrums, key, kVelocity), Message(midi::kNoteOff | kDrums, key));
}

void Preview::PreviewVoice(VoiceKind voice) {
    CloseOutput();
    if (voice_) voice_.sing(SungSyllable(voice, hold_.interval() / 1000.0, voice_.rate()), 0);
    singing_ = true; // even unheard, for the second it would sound
    hold_.start();
}

void Preview::Start(ShortMessage program, ShortMessage on, ShortMessage off) {
    CloseOutput(); // a note still sounding from an earlier press is cut off here
    output_ = open_ ? open_(device_) : nullptr;
    if (output_) {
        output_->Send(program);
        output_->Send(on);
    }
    // Even with no output the second passes, as it would with sound.
    pendingOff_ = off;
    hold_.start();
}

void Preview::Release() {
    CloseOutput();
    emit finished();
}

void Preview::CloseOutput() {
    hold_.stop();
    if (output_ && pendingOff_) output_->Send(*pendingOff_);
    if (singing_ && voice_) voice_.sing(nullptr, 0);
    singing_ = false;
    pendingOff_.reset();
    output_.reset();
}

} // namespace kvat
