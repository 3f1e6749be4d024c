#pragma once
// A live output that writes down its opening, each message and its closing, in a log that
// outlives it.

#include "sound/live_output.h"

#include <memory>
#include <vector>

namespace kvat::test {

struct OutputEvent {
    enum class Kind { Opened, Message, Closed } kind;
    int device;
    ShortMessage message; // for Message
    friend bool operator==(const OutputEvent&, const OutputEvent&) = default;
};
using OutputLog = std::vector<OutputEvent>;

class RecordingOutput : public LiveOutput {
public:
    RecordingOutput(int device, std::shared_ptr<OutputLog> log) : device_(device), log_(log) {
        log_->push_back({OutputEvent::Kind::Opened, device_, {}});
    }
    ~RecordingOutput() override { log_->push_back({OutputEvent::Kind::Closed, device_, {}}); }
    void Send(const ShortMessage& m) override {
        log_->push_back({OutputEvent::Kind::Message, device_, m});
    }

private:
    int device_;
    std::shared_ptr<OutputLog> log_;
};

// An opener of recording outputs, as the preview and the window take it.
inline auto RecordingOpener(std::shared_ptr<OutputLog> log) {
    return [log](int device) -> std::unique_ptr<LiveOutput> {
        return std::make_unique<RecordingOutput>(device, log);
    };
}

} // namespace kvat::test
