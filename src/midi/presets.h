#pragma once
// The ready-made voice groups and the output effects of the instruments page.

#include <array>
#include <string_view>

namespace kvat {

struct VoiceGroup {
    std::u32string_view item;    // the list's text
    std::array<int, 4> programs; // soprano, mezzo, tenor, bass
};

inline constexpr std::array<VoiceGroup, 3> kVoiceGroups = {{
    {U"Струнные инструменты", {40, 41, 42, 43}},
    {U"Деревянные духовые инструменты", {73, 68, 71, 70}},
    {U"Медные духовые инструменты", {56, 60, 57, 58}},
}};

struct OutputEffect {
    std::u32string_view item; // the list's text
    int controller;           // sent at full value on the four voice channels
};

inline constexpr std::array<OutputEffect, 3> kOutputEffects = {{
    {U"No Effect", 0},
    {U"Modulation", 1},
    {U"Sustain Pedal", 64},
}};

// The controller of an effect list index. An index off the list falls back to controller 0,
// the one "No Effect" sends.
int EffectController(int effect);

} // namespace kvat
