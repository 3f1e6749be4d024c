#include "voice/piece_notes.h"

#include "midi/midi_file.h"
#include "midi/midi_words.h"
#include "text/utf8.h"

#include <algorithm>

namespace kvat {
namespace {

constexpr double kSecondsPerMinute = 60;

SungNote Lyric(SungNote note, std::string_view lyric) {
    if (lyric.ends_with('-')) {
        note.wordGoesOn = true;
        lyric.remove_suffix(1);
    }
    note.syllable = DecodeUtf8(lyric).value_or(U"");
    return note;
}

} // namespace

std::vector<SungNote> PieceNotes(const Piece& piece) {
    const std::vector<std::string> lyrics =
        piece.words.lyrics.empty() && !piece.lines.empty()
            ? VerseWords(piece.title, piece.Rows(), piece.tokens.size()).lyrics
            : piece.words.lyrics;
    const double secondsPerTick =
        kSecondsPerMinute / std::max(1, piece.settings.sound.beatsPerMinute) / kTicksPerQuarter;
    std::vector<SungNote> notes;
    int phrase = 0;
    bool inPhrase = false;
    for (std::size_t i = 0; i < piece.notes.size(); ++i) {
        const PieceNote& played = piece.notes[i];
        if (played.sound.note != 0) {
            SungNote note;
            note.start = static_cast<double>(played.start) * secondsPerTick;
            note.length = static_cast<double>(played.sound.ticks) * secondsPerTick;
            note.key = played.sound.note;
            note.phrase = phrase;
            notes.push_back(Lyric(std::move(note), i < lyrics.size() ? lyrics[i] : ""));
            inPhrase = true;
        } else if (inPhrase) {
            ++phrase;
            inPhrase = false;
        }
    }
    return notes;
}

} // namespace kvat
