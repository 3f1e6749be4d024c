// The arrangement of any tokens under any sound settings, written as a whole file: it must be a
// sound MIDI file with one melody note per token and every held note released.

#include "fuzz_input.h"
#include "midi_check.h"

#include "midi/arrangement.h"
#include "midi/sound_settings.h"

namespace kvat::fuzz {
namespace {

VoiceChoice FuzzedVoice(FuzzedDataProvider& data) {
    VoiceChoice voice;
    voice.on = data.ConsumeBool();
    voice.program = SettingValue(data, 0, 127);
    return voice;
}

SoundSettings FuzzedSound(FuzzedDataProvider& data) {
    SoundSettings s;
    s.dynamics = SettingValue(data, 0, 7);
    s.boost = SettingValue(data, 0, 7);
    s.lengthen = data.ConsumeBool();
    s.tempo = SettingValue(data, 0, 38);
    s.numerator = SettingValue(data, 2, 12);
    s.denominator = SettingValue(data, 2, 16);
    s.soprano = SettingValue(data, 0, 127);
    s.mezzo = FuzzedVoice(data);
    s.tenor = FuzzedVoice(data);
    s.bass = FuzzedVoice(data);
    if (data.ConsumeBool()) ApplyGroup(s, SettingValue(data, 0, 2));
    s.drumsOn = data.ConsumeBool();
    s.drumFirst = SettingValue(data, 0, 46);
    s.drumLast = SettingValue(data, 0, 46);
    s.drumMap = SettingValue(data, 3, 10);
    s.accompanimentOn = data.ConsumeBool();
    s.accompaniment = SettingValue(data, 0, 127);
    s.effect = SettingValue(data, 0, 2);
    return s;
}

} // namespace
} // namespace kvat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const SoundSettings settings = FuzzedSound(data);
    // Tokens one per line, as a melody string's are once split; any bytes at all.
    const std::string text = data.ConsumeRemainingBytesAsString();
    std::vector<std::string> tokens = Split(std::string_view(text), std::string_view("\n"));

    const TrackBytes file = ArrangeMelody(tokens, settings);
    const MidiReading reading = RequireSoundMidiFile(file);
    Require(reading.noteOns[0] == tokens.size(), "not one melody note-on per token");
    return 0;
}
