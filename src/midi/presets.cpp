#include "midi/presets.h"

namespace kvat {

int EffectController(int effect) {
    if (effect < 0 || effect >= static_cast<int>(kOutputEffects.size())) return 0;
    return kOutputEffects[static_cast<std::size_t>(effect)].controller;
}

} // namespace kvat
