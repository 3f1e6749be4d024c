#pragma once
// The melody methods as one table: what every list, count, range text, settings panel, fuzz
// target and fixture reads. A method added to the enum without its row fails to compile.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kvat {

// The ways of turning vowels into notes, in the order the method list offers them.
enum class Method : int {
    kPentatonic = 0,  // a fixed pentatonic note per vowel, the soft row an octave higher
    kPentatonicShift, // the same, the soft row shifted by softVowelShift semitones
    kVowelNotes,      // a note chosen for each vowel (the note map)
    kTonalWord,       // relative moves on the scale, starting again at every word
    kTonalLine,       // the same, starting again at every line
    kTonalPlanar,     // tonal moves bent by the side of the line's centre a word is on
    kTonalVolume,     // the same, syllable by syllable
    kTonalPseudoVolume,
    kTemplateMotif, // a fixed motif per metre repeated through each line
    kTemplateFolk,
    kSong, // the verse as a song: real bars, one key, cadences and a chord per bar
    kCount // not a method: how many there are
};

constexpr int MethodIndex(Method m) {
    return static_cast<int>(m);
}
inline constexpr int kMethodCount = MethodIndex(Method::kCount);

// Which controls a method reads, and so which settings panel shows them.
enum class MethodFamily {
    kFixed,     // nothing to set
    kSoftShift, // the soft vowels' shift
    kNoteMap,   // a note list per vowel
    kTonal,     // the key
    kCentre,    // the key and the line-centre shift
    kTemplate,  // the key, counted from the motif's own start
    kSong,      // the tonic, the mode and the voice's range
};

struct MethodRow {
    Method method;
    std::u32string_view name; // the method list's text
    MethodFamily family;
};

inline constexpr std::array<MethodRow, kMethodCount> kMethods = {{
    {Method::kPentatonic, U"Частотный (Велтунов)", MethodFamily::kFixed},
    {Method::kPentatonicShift, U"Частотный (сглаженный)", MethodFamily::kSoftShift},
    {Method::kVowelNotes, U"Частотный (произвольный)", MethodFamily::kNoteMap},
    {Method::kTonalWord, U"Тональный (Дымбрин)", MethodFamily::kTonal},
    {Method::kTonalLine, U"Тональный (линейный)", MethodFamily::kTonal},
    {Method::kTonalPlanar, U"Тональный (плоскостной)", MethodFamily::kCentre},
    {Method::kTonalVolume, U"Тональный (объемный)", MethodFamily::kCentre},
    {Method::kTonalPseudoVolume, U"Тональный (псевдообъемный)", MethodFamily::kCentre},
    {Method::kTemplateMotif, U"Шаблонный (Корбан)", MethodFamily::kTemplate},
    {Method::kTemplateFolk, U"Шаблонный (народный)", MethodFamily::kTemplate},
    {Method::kSong, U"Песенный", MethodFamily::kSong},
}};

// A row left out leaves a value-initialised one behind: no name, the wrong method.
constexpr bool EveryMethodHasItsRow() {
    for (int i = 0; i < kMethodCount; ++i)
        if (MethodIndex(kMethods[static_cast<std::size_t>(i)].method) != i ||
            kMethods[static_cast<std::size_t>(i)].name.empty())
            return false;
    return true;
}
static_assert(EveryMethodHasItsRow(), "kMethods needs one row per Method, in the enum's order");

// The method of a list index; nothing for an index off the list.
constexpr std::optional<Method> MethodFromIndex(int index) {
    if (index < 0 || index >= kMethodCount) return std::nullopt;
    return static_cast<Method>(index);
}

// A value outside the enum's methods has no family and reads nothing.
constexpr std::optional<MethodFamily> FamilyOf(Method m) {
    if (!MethodFromIndex(MethodIndex(m))) return std::nullopt;
    return kMethods[static_cast<std::size_t>(MethodIndex(m))].family;
}

// The list's numbers as the command line's help and messages write them: "0..10".
inline std::string MethodRangeText() {
    return "0.." + std::to_string(kMethodCount - 1);
}

// What each method reads from MelodySettings.
constexpr bool UsesSoftVowelShift(Method m) {
    return FamilyOf(m) == MethodFamily::kSoftShift;
}
constexpr bool UsesNoteMap(Method m) {
    return FamilyOf(m) == MethodFamily::kNoteMap;
}
constexpr bool HasKeyShift(Method m) {
    const auto family = FamilyOf(m);
    return family == MethodFamily::kTonal || family == MethodFamily::kCentre ||
           family == MethodFamily::kTemplate;
}
constexpr bool HasCentreRange(Method m) {
    return FamilyOf(m) == MethodFamily::kCentre;
}
// It times its notes in bars of its own, with a time signature, key and chords of its own.
constexpr bool TimesItsNotes(Method m) {
    return FamilyOf(m) == MethodFamily::kSong;
}

} // namespace kvat
