#pragma once
// The ready-made voice groups and the output effects of the instruments page.

#include <array>
#include <optional>
#include <string_view>

namespace kvat {

enum class VoiceGroup { kStrings, kWoodwind, kBrass };

struct VoiceGroupRow {
    VoiceGroup group;
    std::u32string_view item;    // the list's text
    std::string_view word;       // the command line's
    std::array<int, 4> programs; // soprano, mezzo, tenor, bass
};

inline constexpr std::array<VoiceGroupRow, 3> kVoiceGroups = {{
    {VoiceGroup::kStrings, U"Струнные инструменты", "strings", {40, 41, 42, 43}},
    {VoiceGroup::kWoodwind, U"Деревянные духовые инструменты", "woodwind", {73, 68, 71, 70}},
    {VoiceGroup::kBrass, U"Медные духовые инструменты", "brass", {56, 60, 57, 58}},
}};

enum class OutputEffect { kNone, kModulation, kSustain };

struct OutputEffectRow {
    OutputEffect effect;
    std::u32string_view item; // the list's text
    std::string_view word;    // the command line's
    int controller;           // sent at full value on the four voice channels
};

inline constexpr std::array<OutputEffectRow, 3> kOutputEffects = {{
    {OutputEffect::kNone, U"No Effect", "none", 0},
    {OutputEffect::kModulation, U"Modulation", "modulation", 1},
    {OutputEffect::kSustain, U"Sustain Pedal", "sustain", 64},
}};

// Each list's row by its value; nothing for a value off the list.
std::optional<VoiceGroupRow> VoiceGroupOf(VoiceGroup group);

// The controller of an effect. A value off the list falls back to controller 0, the one
// "No Effect" sends.
int EffectController(OutputEffect effect);

} // namespace kvat
