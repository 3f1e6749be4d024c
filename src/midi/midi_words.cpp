#include "midi/midi_words.h"

#include "text/utf8.h"

namespace kvat {

MidiWords VerseWords(std::u32string_view title, std::span<const std::u32string_view> rows,
                     std::size_t tokens, bool lyrics) {
    MidiWords words;
    words.title = EncodeUtf8(title.substr(0, kLongestTitle));
    if (!lyrics) return words;
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
