#pragma once
// The piece the options describe: the verse loaded as they choose, built with their settings.
// Shared by every subcommand that makes a melody (melody, midi, audio, score).

#include "cli/commands.h"
#include "piece/piece.h"

#include <optional>

namespace kvat::cli {

// The options' settings; the note-map method without --note-map gets a map drawn as the
// "Генерировать" button draws one, from the octaves of --octave, seeded by --seed or else the
// clock. Nothing here can fail: the options were checked when they were parsed.
PieceSettings PieceSettingsFromOptions(const Options& options);

// The verse the options name and its piece. On failure writes the one-line error and returns
// nothing with `status` set: 2 for a verse that cannot be read, 1 when no melody can be made.
// With `sung`, for the subcommands that sound or draw it, a melody of rests alone (what a text
// without a Russian vowel gives) is no melody either.
std::optional<Piece> LoadPiece(const Run& run, bool sung, int& status);

} // namespace kvat::cli
