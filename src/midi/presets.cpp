#include "midi/presets.h"

namespace kvat {

std::optional<VoiceGroupRow> VoiceGroupOf(VoiceGroup group) {
    for (const auto& row : kVoiceGroups)
        if (row.group == group) return row;
    return std::nullopt;
}

int EffectController(OutputEffect effect) {
    for (const auto& row : kOutputEffects)
        if (row.effect == effect) return row.controller;
    return 0;
}

} // namespace kvat
