#pragma once
// The live MIDI outputs the preview buttons sound through: FluidSynth's synthesizer first,
// then every output port of the ALSA sequencer. An output is open while it exists.

#include "sound/fluid_engine.h"
#include "sound/short_message.h"

#include <memory>
#include <string>
#include <vector>

namespace kvat {

class LiveOutput {
public:
    virtual ~LiveOutput() = default;
    virtual void Send(const ShortMessage& message) = 0;
};

// The first entry of the device list, the built-in synthesizer.
inline constexpr char kSynthesizerDeviceName[] = "Синтезатор FluidSynth (по умолчанию)";

// The device list's names (UTF-8): the synthesizer, then each ALSA sequencer output port. With
// no ports, or no sequencer at all, the synthesizer alone.
std::vector<std::string> ListMidiDevices();

// Opens entry `device` of that list: 0 the synthesizer on `engine`, k the (k-1)th port.
// Nothing when it cannot be opened; the preview then sounds nowhere.
std::unique_ptr<LiveOutput> OpenLiveOutput(int device, const EngineFuture& engine);

} // namespace kvat
