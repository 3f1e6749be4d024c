#include "cli/piece_options.h"

#include "cli/verse_context.h"
#include "melody/note_map.h"

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

} // namespace

PieceSettings PieceSettingsFromOptions(const Options& options) {
    PieceSettings settings{options.melody, options.sound, !options.noLyrics, options.colour};
    if (!options.noteMapGiven && settings.melody.method && UsesNoteMap(*settings.melody.method))
        settings.melody.noteMap = DrawnNoteMap(options);
    return settings;
}

std::optional<Piece> LoadPiece(const Run& run, bool sung, int& status) {
    std::string error;
    // The metre list's texts, the one place the locale's decimal separator shows, are not used.
    auto verse = LoadVerse(run.options, U'.', error);
    if (!verse) {
        run.Error(error);
        status = 2;
        return std::nullopt;
    }
    Piece piece = BuildPiece(std::move(*verse), PieceSettingsFromOptions(run.options));
    const std::string silence = sung ? piece.Silence() : piece.noMelody;
    if (!silence.empty()) {
        run.Error(run.InputName() + ": no melody: " + silence);
        status = 1;
        return std::nullopt;
    }
    return piece;
}

} // namespace kvat::cli
