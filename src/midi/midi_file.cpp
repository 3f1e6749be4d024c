#include "midi/midi_file.h"

#include <algorithm>
#include <array>
#include <bit>

namespace kvat {
namespace {

constexpr std::array<std::uint8_t, 14> kHeaderChunk = {'M', 'T',
                                                       'h', 'd',
                                                       0,   0,
                                                       0,   6, // six bytes follow
                                                       0,   0, // format 0
                                                       0,   1, // one track
                                                       0,   kTicksPerQuarter};
constexpr std::array<std::uint8_t, 4> kTrackChunkId = {'M', 'T', 'r', 'k'};
constexpr std::array<std::uint8_t, 3> kEndOfTrack = {midi::kMetaEvent, midi::kMetaEndOfTrack, 0};

// The time signature (8 bytes) and the tempo (7) before the events.
constexpr std::uint32_t kOpeningBytes = 15;

constexpr std::uint8_t kClocksPerClick = 24;
constexpr std::uint8_t kThirtySecondsPerQuarter = 8;
constexpr long kMicrosecondsPerMinute = 60'000'000;
// The tempo field has three bytes, which a tempo below 4 beats per minute would overflow.
constexpr int kSlowestTempo = 4;

void AppendBigEndian(TrackBytes& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// 2 → 1, 4 → 2, 8 → 3, 16 → 4; a denominator between powers of two takes the lower one.
std::uint8_t DenominatorPower(int denominator) {
    if (denominator < 2) return 0;
    return static_cast<std::uint8_t>(std::bit_width(static_cast<unsigned>(denominator)) - 1);
}

} // namespace

TrackBytes BuildMidiFile(std::span<const std::uint8_t> events, int tempo, int numerator,
                         int denominator, std::string_view title, int endDelta) {
    TrackBytes name, end;
    if (!title.empty()) AppendMetaText(name, 0, midi::kMetaTrackName, title);
    AppendDelta(end, endDelta);
    end.insert(end.end(), kEndOfTrack.begin(), kEndOfTrack.end());

    TrackBytes file;
    const std::size_t trackBytes = name.size() + kOpeningBytes + events.size() + end.size();
    file.reserve(kHeaderChunk.size() + 8 + trackBytes);
    file.insert(file.end(), kHeaderChunk.begin(), kHeaderChunk.end());
    file.insert(file.end(), kTrackChunkId.begin(), kTrackChunkId.end());
    AppendBigEndian(file, static_cast<std::uint32_t>(trackBytes), 4);

    file.insert(file.end(), name.begin(), name.end());
    file.insert(file.end(),
                {0, midi::kMetaEvent, midi::kMetaTimeSignature, 4,
                 static_cast<std::uint8_t>(std::clamp(numerator, 0, 255)),
                 DenominatorPower(denominator), kClocksPerClick, kThirtySecondsPerQuarter});
    file.insert(file.end(), {0, midi::kMetaEvent, midi::kMetaTempo, 3});
    const long microseconds = std::max(1L, kMicrosecondsPerMinute / std::max(tempo, kSlowestTempo));
    AppendBigEndian(file, static_cast<std::uint32_t>(microseconds), 3);

    file.insert(file.end(), events.begin(), events.end());
    file.insert(file.end(), end.begin(), end.end());
    return file;
}

} // namespace kvat
