#pragma once
// The notes the voice sings, read from a melody's tokens and the lyric of each, as the MIDI
// file plays them: a token's start and length in ticks at the file's tempo, and a rest between
// phrases.

#include "voice/sung_note.h"

#include <span>
#include <string>
#include <vector>

namespace kvat {

// `lyrics` holds one UTF-8 lyric per token as VerseWords writes it ("мгло-" where the word goes
// on); a token past its end sings nothing of its own. Rests part the phrases.
std::vector<SungNote> TokenNotes(std::span<const std::string> tokens,
                                 std::span<const std::string> lyrics, int tempoBpm);

} // namespace kvat
