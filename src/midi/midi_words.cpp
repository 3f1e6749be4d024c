#include "midi/midi_words.h"

#include "text/utf8.h"
#include "verse/syllables.h"

namespace kvat {

MidiWords VerseWords(const Lines& lines, std::size_t tokens, bool lyrics) {
    MidiWords words;
    words.title = EncodeUtf8(VerseTitle(lines).substr(0, kLongestTitle));
    if (!lyrics) return words;
    const DividedText divided = DivideSyllables(lines);
    std::vector<std::u32string_view> rows;
    rows.reserve(divided.RowCount());
    for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.push_back(divided.Row(k));
    words.lyrics.reserve(tokens);
    for (const auto& syllable : TokenSyllables(rows, tokens)) {
        std::u32string lyric;
        if (syllable) lyric = std::u32string(syllable->text.substr(0, kLongestLyric));
        if (syllable && syllable->goesOn) lyric.push_back(U'-');
        words.lyrics.push_back(EncodeUtf8(lyric));
    }
    return words;
}

} // namespace kvat
