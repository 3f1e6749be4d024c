#include "app/playback/copy_name.h"

#include "midi/midi_timing.h"

#include <algorithm>

namespace kvat {
namespace {

constexpr int kLongestStem = 80;

bool InWord(QChar c) {
    return c.isLetterOrNumber() || c.isMark() || c == u'-' || c == u'\'';
}

// The track name a file of ours opens its one track with: the header chunk, the track's id and
// length, then the name event at tick 0. Empty when the file holds no such name.
std::span<const std::uint8_t> TrackNameEvent(std::span<const std::uint8_t> file) {
    constexpr std::string_view kHeader("MThd\0\0\0\x06", 8);
    constexpr std::size_t kTrackData = 22;
    if (file.size() < kTrackData + 4 || !std::equal(kHeader.begin(), kHeader.end(), file.begin()))
        return {};
    const auto event = file.subspan(kTrackData);
    if (event[0] != 0 || event[1] != 0xFF || event[2] != 0x03) return {};
    std::size_t length = 0, i = 3;
    for (bool more = true; more; ++i) {
        if (i >= event.size() || i > 6) return {};
        length = length << 7 | (event[i] & 0x7F);
        more = (event[i] & 0x80) != 0;
    }
    return i + length <= event.size() ? event.first(i + length) : std::span<const std::uint8_t>{};
}

// Whether `copy` is a file of ours named as `file` is (the same title): an earlier version of
// the same poem. A file that is not ours, or has no title, never is.
bool IsCopyOf(std::span<const std::uint8_t> copy, std::span<const std::uint8_t> file) {
    const auto name = TrackNameEvent(file);
    return !name.empty() && std::ranges::equal(TrackNameEvent(copy), name);
}

} // namespace

QString SafeFileStem(const QString& line) {
    // Punctuation, symbols and the characters file systems or shells trip over part words as
    // spaces do: the name is the line's words.
    QString stem;
    for (QChar c : line) stem += InWord(c) ? c : QChar(' ');
    stem = stem.simplified().left(kLongestStem);
    while (!stem.isEmpty() && !stem.front().isLetterOrNumber()) stem.remove(0, 1);
    while (!stem.isEmpty() && !(stem.back().isLetterOrNumber() || stem.back().isMark()))
        stem.chop(1);
    return stem.isEmpty() ? QStringLiteral("Kvat") : stem;
}

std::filesystem::path FreeCopyPath(const std::filesystem::path& folder, const QString& stem,
                                   std::span<const std::uint8_t> file) {
    const auto path = [&](int n) {
        const QString name = n == 1 ? stem : QStringLiteral("%1 (%2)").arg(stem).arg(n);
        return folder / (name + ".mid").toStdString();
    };
    std::error_code ignored;
    int n = 1;
    while (std::filesystem::exists(path(n), ignored)) {
        const auto bytes = ReadFileBytes(path(n));
        if (bytes && IsCopyOf(*bytes, file)) break;
        ++n;
    }
    return path(n);
}

} // namespace kvat
