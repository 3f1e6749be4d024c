#include "app/playback/sound_services.h"

#include "sound/fluid_engine.h"
#include "sound/fluid_sequencer.h"
#include "sound/live_output.h"
#include "sound/sound_font.h"

namespace kvat {

SoundServices SystemSoundServices() {
    // The engine loads its SoundFont in the background; the first play or preview waits for it
    // only if it comes within the first moments.
    EngineFuture engine = StartEngine(FindSoundFont(), AudioOutput::kDevice);
    SoundServices services;
    services.sequencer = std::make_unique<FluidSequencer>(engine);
    services.openOutput = [engine](int device) { return OpenLiveOutput(device, engine); };
    services.devices = ListMidiDevices();
    services.folders = DefaultPlaybackFolders();
    // The voice sings into the synthesizer's own sound, whichever device the previews use.
    services.voice.rate = [engine] {
        const auto made = engine.get();
        return made ? made->SampleRate() : 0;
    };
    services.voice.sing = [engine](std::shared_ptr<const VoiceTrack> track, std::int64_t from) {
        if (const auto made = engine.get()) made->SingAlong(std::move(track), from);
    };
    return services;
}

} // namespace kvat
