#include "cli/sound_options.h"

#include "midi/arrangement.h"
#include "midi/instrument_names.h"
#include "midi/midi_words.h"

#include <vector>

namespace kvat::cli {
namespace {

int GroupIndex(Group group) {
    switch (group) {
    case Group::kStrings:
        return 0;
    case Group::kWoodwind:
        return 1;
    case Group::kBrass:
        return 2;
    }
    return 0;
}

int EffectIndex(Effect effect) {
    switch (effect) {
    case Effect::kNone:
        return 0;
    case Effect::kModulation:
        return 1;
    case Effect::kSustain:
        return 2;
    }
    return 0;
}

void ChooseVoice(VoiceChoice& voice, const std::optional<int>& program) {
    if (program) voice = {true, *program};
}

} // namespace

SoundSettings SoundSettingsFromOptions(const Options& options) {
    SoundSettings settings;
    settings.dynamics = options.dynamics;
    settings.boost = options.Boost();
    settings.lengthen = options.lengthen;
    settings.tempo = options.tempo;
    settings.numerator = options.numerator;
    settings.denominator = options.denominator;
    settings.soprano = options.soprano;
    ChooseVoice(settings.mezzo, options.mezzo);
    ChooseVoice(settings.tenor, options.tenor);
    ChooseVoice(settings.bass, options.bass);
    if (options.group) ApplyGroup(settings, GroupIndex(*options.group));
    if (options.drums) {
        settings.drumsOn = true;
        settings.drumFirst = (*options.drums)[0] - kFirstDrumKey;
        settings.drumLast = (*options.drums)[1] - kFirstDrumKey;
    }
    settings.drumMap = options.drumMap;
    if (options.accompaniment) {
        settings.accompanimentOn = true;
        settings.accompaniment = *options.accompaniment;
    }
    settings.effect = EffectIndex(options.effect);
    return settings;
}

TrackBytes MidiFileFromOptions(const VerseMelody& melody, const Options& options) {
    return ArrangeMelody(melody.tokens, SoundSettingsFromOptions(options),
                         VerseWords(melody.verse.lines, melody.tokens.size(), !options.noLyrics));
}

} // namespace kvat::cli
