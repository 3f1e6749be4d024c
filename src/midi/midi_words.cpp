#include "midi/midi_words.h"

#include "text/utf8.h"

namespace kvat {
namespace {

constexpr std::u32string_view kContinues = U" -";

std::u32string_view Trimmed(std::u32string_view text) {
    const std::size_t first = text.find_first_not_of(U' ');
    if (first == std::u32string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(U' ') - first + 1);
}

} // namespace

std::string LyricOfRow(std::u32string_view row) {
    std::u32string_view syllable = Trimmed(row);
    const bool continues = syllable.ends_with(kContinues);
    if (continues) syllable.remove_suffix(kContinues.size());
    std::u32string lyric(syllable.substr(0, kLongestLyric));
    if (continues) lyric.push_back(U'-');
    return EncodeUtf8(lyric);
}

MidiWords VerseWords(const Lines& lines, std::span<const std::u32string_view> rows) {
    MidiWords words;
    if (!lines.empty()) words.title = EncodeUtf8(Trimmed(lines.front()).substr(0, kLongestTitle));
    words.lyrics.reserve(rows.size());
    for (const auto row : rows) words.lyrics.push_back(LyricOfRow(row));
    return words;
}

} // namespace kvat
