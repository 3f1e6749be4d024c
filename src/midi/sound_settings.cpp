#include "midi/sound_settings.h"

#include "midi/sound_tables.h"

#include <algorithm>

namespace kvat {

bool ApplyGroup(SoundSettings& settings, VoiceGroup group) {
    const auto row = VoiceGroupOf(group);
    if (!row) return false;
    settings.groupOn = true;
    settings.group = group;
    settings.soprano = row->programs[0];
    settings.mezzo = {true, row->programs[1]};
    settings.tenor = {true, row->programs[2]};
    settings.bass = {true, row->programs[3]};
    return true;
}

int BaseVelocity(const SoundSettings& settings) {
    return std::clamp(settings.dynamicsPercent, kDynamicsTable.back().percent,
                      kDynamicsTable.front().percent);
}

// The dynamics value plus the boost stays at most 100: the loudest dynamics leave no boost.
int StressBoost(const SoundSettings& settings) {
    return std::clamp(settings.boostPercent, 0,
                      kDynamicsTable.front().percent - BaseVelocity(settings));
}

} // namespace kvat
