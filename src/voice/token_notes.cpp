#include "voice/token_notes.h"

#include "midi/arrangement.h"
#include "midi/midi_file.h"
#include "score/melody_token.h"
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

std::vector<SungNote> TokenNotes(std::span<const std::string> tokens,
                                 std::span<const std::string> lyrics, int tempoBpm) {
    std::vector<SungNote> notes;
    const double secondsPerTick = kSecondsPerMinute / std::max(1, tempoBpm) / kTicksPerQuarter;
    std::int64_t tick = 0;
    int phrase = 0;
    bool inPhrase = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        // The token's length as the arrangement gives it.
        const std::int64_t length = ReadToken(tokens[i]).ticks;
        const auto read = ReadScoreToken(tokens[i]);
        if (read && read->value != 0) {
            SungNote note;
            note.start = static_cast<double>(tick) * secondsPerTick;
            note.length = static_cast<double>(length) * secondsPerTick;
            note.key = read->value;
            note.phrase = phrase;
            notes.push_back(Lyric(std::move(note), i < lyrics.size() ? lyrics[i] : ""));
            inPhrase = true;
        } else if (inPhrase) {
            ++phrase;
            inPhrase = false;
        }
        tick += length;
    }
    return notes;
}

} // namespace kvat
