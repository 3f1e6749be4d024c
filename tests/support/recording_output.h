#pragma once
// A live output that only writes down what happens to it: its opening, each message and its
// closing, in order, in a log that outlives it.

#include "sound/live_output.h"

#include <memory>
#include <vector>

namespace kvat::test {

struct OutputEvent {
    enum class Kind { Opened, Message, Closed };
    Kind kind;
    int device;
    ShortMessage message; // for Message

    friend bool operator==(const OutputEvent&, const OutputEvent&) = default;
};
using OutputLog = std::vector<OutputEvent>;

class RecordingOutput : public LiveOutput {
public:
    RecordingOutput(int device, std::shared_ptr<OutputLog> log)
        : device_(device), log_(std::move(log)) {
        log_->push_back({OutputEvent::Kind::Opened, device_, {}});
    }
    ~RecordingOutput() override { log_->push_back({OutputEvent::Kind::Closed, device_, {}}); }
    void Send(const ShortMessage& message) override {
        log_->push_back({OutputEvent::Kind::Message, device_, message});
    }

private:
    int device_;
    std::shared_ptr<OutputLog> log_;
};

// Opens recording outputs into `log`.
inline auto RecordingOpener(std::shared_ptr<OutputLog> log) {
    return [log](int device) -> std::unique_ptr<LiveOutput> {
        return std::make_unique<RecordingOutput>(device, log);
    };
}

} // namespace kvat::test
