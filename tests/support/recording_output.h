#pragma once
// A live output that writes down its opening, each message and its closing, in a log that
// outlives it.

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

} // namespace kvat::test
