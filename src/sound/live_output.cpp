#include "sound/live_output.h"

#include "sound/quiet_alsa.h"

#include <RtMidi.h>

#include <exception>

namespace kvat {
namespace {

constexpr char kClientName[] = "Kvat";

class SynthesizerOutput : public LiveOutput {
public:
    explicit SynthesizerOutput(std::shared_ptr<FluidEngine> engine) : engine_(std::move(engine)) {}
    void Send(const ShortMessage& message) override { engine_->Send(message); }

private:
    std::shared_ptr<FluidEngine> engine_;
};

// RtMidi reports every failure by throwing; none of them may reach the window.
class PortOutput : public LiveOutput {
public:
    explicit PortOutput(std::unique_ptr<RtMidiOut> port) : port_(std::move(port)) {}
    void Send(const ShortMessage& message) override {
        const unsigned char bytes[] = {message.status, message.data1, message.data2};
        try {
            port_->sendMessage(bytes, static_cast<std::size_t>(MessageLength(message)));
        } catch (...) {
        }
    }

private:
    std::unique_ptr<RtMidiOut> port_;
};

// RtMidi prints an error before it throws unless a callback takes it; only the constructor's
// own error cannot be taken, so the sequencer is asked for first, quietly.
std::unique_ptr<RtMidiOut> AlsaClient() {
    if (!AlsaSequencerPresent()) return nullptr;
    auto client = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
    client->setErrorCallback([](RtMidiError::Type, const std::string&, void*) {}, nullptr);
    return client;
}

} // namespace

std::vector<std::string> ListMidiDevices() {
    std::vector<std::string> names{kSynthesizerDeviceName};
    try {
        const auto client = AlsaClient();
        const unsigned count = client ? client->getPortCount() : 0;
        for (unsigned port = 0; port < count; ++port) names.push_back(client->getPortName(port));
    } catch (...) {
        // No sequencer, or a port gone while listing: the list keeps what it has.
    }
    return names;
}

std::unique_ptr<LiveOutput> OpenLiveOutput(int device, const EngineFuture& engine) {
    if (device == 0) {
        auto synthesizer = engine.valid() ? engine.get() : nullptr;
        if (!synthesizer) return nullptr;
        return std::make_unique<SynthesizerOutput>(std::move(synthesizer));
    }
    if (device < 0) return nullptr;
    try {
        auto client = AlsaClient();
        if (!client || static_cast<unsigned>(device - 1) >= client->getPortCount()) return nullptr;
        client->openPort(static_cast<unsigned>(device - 1), kClientName);
        return std::make_unique<PortOutput>(std::move(client));
    } catch (...) {
        return nullptr;
    }
}

} // namespace kvat
