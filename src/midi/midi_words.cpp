#include "midi/midi_words.h"

#include "text/utf8.h"

namespace kvat {

MidiWords VerseWords(const Lines& lines, std::span<const std::optional<LyricSyllable>> syllables) {
    MidiWords words;
    if (!lines.empty())
        words.title = EncodeUtf8(TrimSpaces(lines.front()).substr(0, kLongestTitle));
    words.lyrics.reserve(syllables.size());
    for (const auto& syllable : syllables) {
        std::u32string lyric;
        if (syllable) lyric = std::u32string(syllable->text.substr(0, kLongestLyric));
        if (syllable && syllable->goesOn) lyric.push_back(U'-');
        words.lyrics.push_back(EncodeUtf8(lyric));
    }
    return words;
}

} // namespace kvat
