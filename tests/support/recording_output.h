#pragma once
// A live output that writes down its opening, each message and its closing, in a log that
// outlives it; and a voice output that writes down what it is given to sing.

#include "app/playback/sung_voice.h"
#include "sound/live_output.h"

#include <memory>
#include <vector>

namespace kvat::test {

struct OutputEvent {
    enum class Kind { kOpened, kMessage, kClosed } kind;
    int device;
    ShortMessage message; // for Message
    friend bool operator==(const OutputEvent&, const OutputEvent&) = default;
};
using OutputLog = std::vector<OutputEvent>;

struct RecordingOutput : LiveOutput {
    RecordingOutput(int device, std::shared_ptr<OutputLog> log) : device(device), log(log) {
        log->push_back({OutputEvent::Kind::kOpened, device, {}});
    }
    ~RecordingOutput() override { log->push_back({OutputEvent::Kind::kClosed, device, {}}); }
    void Send(const ShortMessage& m) override {
        log->push_back({OutputEvent::Kind::kMessage, device, m});
    }
    int device;
    std::shared_ptr<OutputLog> log;
};

// A track given to sing, the frame it is sung from, and how much of it was sung by then.
struct SungCall {
    std::shared_ptr<const VoiceTrack> track;
    std::int64_t from = 0, ready = 0;
};

inline VoiceOutput RecordingVoice(std::vector<SungCall>& calls, int rate = 22050) {
    return {[rate] { return rate; },
            [&calls](std::shared_ptr<const VoiceTrack> track, std::int64_t from) {
                calls.push_back({track, from, track ? track->Finished() : 0});
            }};
}

} // namespace kvat::test
