#include "cli/melody_options.h"

#include "cli/output.h"

#include "melody/note_map.h"
#include "score/melody_token.h"
#include "verse/letters.h"

#include <algorithm>
#include <chrono>
#include <random>

namespace kvat::cli {
namespace {

// --octave 1, 2, 12 as the octave list's items.
int OctaveItem(int octave) {
    return octave == 1 ? 0 : octave == 2 ? 1 : 2;
}

NoteMap DrawnNoteMap(const Options& options) {
    const std::uint64_t seed = options.seed.value_or(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::mt19937_64 random(seed);
    NoteMap unselected;
    unselected.fill(-1);
    return RandomNoteMap(unselected, OctaveItem(options.octave), random);
}

std::string InputName(const Options& options) {
    return options.file.empty() || options.file == "-" ? "standard input" : options.file;
}

bool IsSungToken(const std::string& token) {
    const auto note = ReadScoreToken(token);
    return note && note->value != 0;
}

bool HasVowel(const Lines& lines) {
    return std::ranges::any_of(lines, [](const std::u32string& line) {
        return std::ranges::any_of(line, [](char32_t c) { return IsVowel(ToLower(c)); });
    });
}

} // namespace

MelodySettings MelodySettingsFromOptions(const Options& options) {
    MelodySettings settings;
    settings.method = MethodFromIndex(options.method);
    settings.lengthen = options.lengthen;
    settings.keyShift = options.key;
    settings.softVowelShift = options.sharpShift;
    settings.centreShift = options.centreShift;
    if (options.noteMap)
        settings.noteMap = *options.noteMap;
    else if (settings.method && UsesNoteMap(*settings.method))
        settings.noteMap = DrawnNoteMap(options);
    return settings;
}

std::optional<VerseMelody> LoadMelody(const Options& options, int& status) {
    std::string error;
    auto verse = LoadVerse(options, error);
    if (!verse) {
        PrintError(error);
        status = 2;
        return std::nullopt;
    }
    std::string why;
    const auto melody =
        GenerateMelody(verse->lines, verse->metre, MelodySettingsFromOptions(options), &why);
    if (!melody) {
        PrintError(InputName(options) + ": no melody: " + why);
        status = 1;
        return std::nullopt;
    }
    return VerseMelody{std::move(*verse), MelodyTokens(melody->text)};
}

std::optional<VerseMelody> LoadSungMelody(const Options& options, int& status) {
    auto melody = LoadMelody(options, status);
    if (!melody || std::ranges::any_of(melody->tokens, IsSungToken)) return melody;
    PrintError(InputName(options) + ": no melody: " +
               (HasVowel(melody->verse.lines) ? "every note is a rest"
                                              : "the text has no Russian vowels"));
    status = 1;
    return std::nullopt;
}

} // namespace kvat::cli
