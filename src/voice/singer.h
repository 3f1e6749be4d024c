#pragma once
// The singing voice: each phrase spoken by espeak-ng at its notes' pitches, then held on its
// notes' times by overlap-add, the vowel onsets on the note onsets. Phrase by phrase, so that a
// player can start on the first while the rest are sung.

#include "piece/piece.h"
#include "voice/overlap_add.h"
#include "voice/sung_note.h"

#include <optional>
#include <span>
#include <vector>

namespace kvat {

struct PhraseSound {
    PlacedSound sound;
    bool fellBack = false; // espeak-ng could not speak its words: sung on «а»
};

// The notes of each phrase, in order.
std::vector<std::span<const SungNote>> Phrases(std::span<const SungNote> notes);

// One phrase of InVoiceRange's notes, at `rate` samples a second. Nothing when espeak-ng or
// its Russian voice is missing.
std::optional<PhraseSound> SingPhrase(std::span<const SungNote> phrase, VoiceKind voice, int rate);

// The whole piece from its time 0, in its voice's range, mono, at about half of full scale.
// Nothing when espeak-ng or its Russian voice is missing.
std::optional<std::vector<float>> SingPiece(std::span<const SungNote> notes, VoiceKind voice,
                                            int rate);
// The piece's notes and syllables in the voice its settings choose.
std::optional<std::vector<float>> SingPiece(const Piece& piece, int rate);

} // namespace kvat
