// The arrangement of any tokens under any sound settings, written as a whole file: it must be a
// sound MIDI file with one melody note per token and every held note released.

#include "fuzz_support.h"

#include "midi/arrangement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const auto voice = [&] { return VoiceChoice{data.ConsumeBool(), SettingValue(data, 0, 127)}; };
    SoundSettings s{.dynamicsPercent = SettingValue(data, 30, 100),
                    .boostPercent = SettingValue(data, 0, 70),
                    .lengthen = data.ConsumeBool(),
                    .beatsPerMinute = SettingValue(data, 40, 200),
                    .numerator = SettingValue(data, 2, 12),
                    .denominator = SettingValue(data, 2, 16),
                    .soprano = SettingValue(data, 0, 127),
                    .mezzo = voice(),
                    .tenor = voice(),
                    .bass = voice()};
    if (data.ConsumeBool()) ApplyGroup(s, static_cast<VoiceGroup>(SettingValue(data, 0, 2)));
    s.drumsOn = data.ConsumeBool();
    s.firstDrumKey = SettingValue(data, 35, 81);
    s.lastDrumKey = SettingValue(data, 35, 81);
    s.drumMap = SettingValue(data, 3, 10);
    s.accompanimentOn = data.ConsumeBool();
    s.accompaniment = SettingValue(data, 0, 127);
    s.effect = static_cast<OutputEffect>(SettingValue(data, 0, 2));
    // Tokens one per line, as a melody string's are once split; any bytes at all.
    const std::string text = data.ConsumeRemainingBytesAsString();
    const auto tokens = Split(std::string_view(text), std::string_view("\n"));
    // A token's note is its leading digits, at most two; 0 (or none) is a rest.
    const auto sung = std::count_if(tokens.begin(), tokens.end(), [](const std::string& t) {
        int note = 0;
        for (std::size_t i = 0; i < t.size() && i < 2 && t[i] >= '0' && t[i] <= '9'; ++i)
            note = note * 10 + (t[i] - '0');
        return note != 0;
    });
    Require(RequireSoundMidiFile(ArrangeMelody(tokens, s))[0] == static_cast<std::size_t>(sung),
            "not one melody note-on per sung token");
    return 0;
}
