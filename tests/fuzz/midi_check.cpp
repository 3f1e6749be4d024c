#include "midi_check.h"

#include "fuzz_input.h"

#include <algorithm>
#include <map>
#include <utility>

namespace kvat::fuzz {
namespace {

constexpr std::uint8_t kHeader[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
constexpr std::uint8_t kTrackId[] = {'M', 'T', 'r', 'k'};
constexpr int kCheckedChannels = 8;

class TrackReader {
public:
    explicit TrackReader(std::span<const std::uint8_t> track) : track_(track) {}

    bool AtEnd() const { return at_ == track_.size(); }

    std::uint8_t Byte() {
        Require(at_ < track_.size(), "an event runs past the end of the track chunk");
        return track_[at_++];
    }

    std::uint8_t DataByte() {
        const std::uint8_t byte = Byte();
        Require(byte < 0x80, "a data byte has its top bit set");
        return byte;
    }

    std::uint32_t Quantity() {
        std::uint32_t value = 0;
        for (int k = 0; k < 4; ++k) {
            const std::uint8_t byte = Byte();
            value = (value << 7) | (byte & 0x7F);
            if (byte < 0x80) return value;
        }
        Broken("a variable-length quantity is longer than four bytes");
    }

    void Skip(std::uint32_t count) {
        Require(count <= track_.size() - at_, "a meta or system event runs past the track");
        at_ += count;
    }

private:
    std::span<const std::uint8_t> track_;
    std::size_t at_ = 0;
};

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (const std::uint8_t byte : bytes) value = (value << 8) | byte;
    return value;
}

// Pending note-ons by (channel, note); a note-on of velocity 0 is a note-off.
class NoteLedger {
public:
    void On(int channel, int note) { ++pending_[{channel, note}]; }
    void Off(int channel, int note) {
        auto& count = pending_[{channel, note}];
        Require(count > 0, "a note-off on channels 0-7 without its note-on");
        --count;
    }
    bool AllOff() const {
        return std::all_of(pending_.begin(), pending_.end(),
                           [](const auto& entry) { return entry.second == 0; });
    }

private:
    std::map<std::pair<int, int>, int> pending_;
};

} // namespace

MidiReading RequireSoundMidiFile(std::span<const std::uint8_t> file) {
    constexpr std::size_t kChunkStart = sizeof kHeader + sizeof kTrackId + 4;
    Require(file.size() >= kChunkStart, "the file is shorter than its two chunk headers");
    Require(std::equal(std::begin(kHeader), std::end(kHeader), file.begin()),
            "the header chunk is not format 0, one track, 96 ticks per quarter");
    Require(std::equal(std::begin(kTrackId), std::end(kTrackId), file.begin() + sizeof kHeader),
            "the second chunk is not a track");
    const std::uint32_t length = BigEndian(file.subspan(sizeof kHeader + 4, 4));
    Require(length == file.size() - kChunkStart, "the track length field is not its real length");

    MidiReading reading;
    NoteLedger notes;
    TrackReader track(file.subspan(kChunkStart));
    bool ended = false;
    while (!track.AtEnd()) {
        Require(!ended, "events follow the end of track");
        reading.ticks += track.Quantity();
        const std::uint8_t status = track.Byte();
        Require(status >= 0x80, "an event without its status byte");
        if (status == 0xFF) {
            const std::uint8_t type = track.DataByte();
            const std::uint32_t size = track.Quantity();
            ended = type == 0x2F;
            Require(!ended || size == 0, "the end of track carries data");
            track.Skip(size);
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            track.Skip(track.Quantity());
            continue;
        }
        Require(status < 0xF0, "a system common or real-time message inside the track");
        const int kind = status & 0xF0, channel = status & 0x0F;
        const int first = track.DataByte();
        const int second = kind == 0xC0 || kind == 0xD0 ? 0 : track.DataByte();
        const bool on = kind == 0x90 && second > 0;
        const bool off = kind == 0x80 || (kind == 0x90 && second == 0);
        if (on) ++reading.noteOns[static_cast<std::size_t>(channel)];
        if (channel >= kCheckedChannels) continue;
        if (on) notes.On(channel, first);
        if (off) notes.Off(channel, first);
    }
    Require(ended, "the track does not end with end of track");
    Require(notes.AllOff(), "a note-on on channels 0-7 is never switched off");
    return reading;
}

} // namespace kvat::fuzz
