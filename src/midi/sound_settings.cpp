#include "midi/sound_settings.h"

#include "midi/presets.h"
#include "midi/sound_tables.h"

#include <algorithm>

namespace kvat {
namespace {

int DynamicsIndex(const SoundSettings& settings) {
    return std::clamp(settings.dynamics, 0, static_cast<int>(kDynamicsTable.size()) - 1);
}

} // namespace

bool ApplyGroup(SoundSettings& settings, int group) {
    if (group < 0 || group >= static_cast<int>(kVoiceGroups.size())) return false;
    const auto& programs = kVoiceGroups[static_cast<std::size_t>(group)].programs;
    settings.groupOn = true;
    settings.group = group;
    settings.soprano = programs[0];
    settings.mezzo = {true, programs[1]};
    settings.tenor = {true, programs[2]};
    settings.bass = {true, programs[3]};
    return true;
}

int BaseVelocity(const SoundSettings& settings) {
    return DynamicsValue(DynamicsIndex(settings))->value;
}

// The boost scroll's range shrinks as the dynamics grow louder: index i allows 0..i, so the
// dynamics value plus the boost in per cent stays at most 100.
int StressBoost(const SoundSettings& settings) {
    return 10 * std::clamp(settings.boost, 0, DynamicsIndex(settings));
}

int TempoBpm(const SoundSettings& settings) {
    const int last = static_cast<int>(kTempoTable.size()) - 1;
    return TempoValue(std::clamp(settings.tempo, 0, last))->bpm;
}

} // namespace kvat
