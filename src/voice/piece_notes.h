#pragma once
// The notes the voice sings, read from the piece as its MIDI file plays them: each note's start
// and length in ticks at the file's tempo, its key and the lyric the file gives it; a rest
// between phrases.

#include "piece/piece.h"
#include "voice/sung_note.h"

#include <vector>

namespace kvat {

// The syllables are sung whether or not the MIDI file carries them as lyrics. A note past the
// lyrics sings nothing of its own.
std::vector<SungNote> PieceNotes(const Piece& piece);

} // namespace kvat
