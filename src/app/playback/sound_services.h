#pragma once
// What the window sounds with: the sequencer that plays the MIDI file, the live outputs of the
// preview buttons and their names, the folders the file goes to and where the voice sings. The
// window takes them ready-made, so tests can hand it a silent sequencer and a recording output.

#include "app/playback/playback.h"
#include "app/playback/preview.h"
#include "app/playback/sung_voice.h"
#include "sound/sequencer.h"

#include <memory>
#include <string>
#include <vector>

namespace kvat {

struct SoundServices {
    std::unique_ptr<Sequencer> sequencer;
    OutputOpener openOutput;
    std::vector<std::string> devices; // the device list's names, the synthesizer first
    PlaybackFolders folders;
    VoiceOutput voice = {}; // none: nothing is sung
};

// The real ones: FluidSynth with the system's SoundFont, loaded off the window's thread so the
// window appears at once, and the ALSA sequencer's output ports. Needs the application object.
SoundServices SystemSoundServices();

} // namespace kvat
