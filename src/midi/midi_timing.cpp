#include "midi/midi_timing.h"

#include "midi/status_bytes.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace kvat {
namespace {

// Longer than any verse could last; keeps tick and millisecond arithmetic far from overflow.
constexpr std::int64_t kMostTicks = std::int64_t{1} << 31;

// A bounds-checked reader: every read past the end leaves it failed instead of reading on.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    bool Failed() const { return failed_; }

    std::uint8_t Byte() {
        if (AtEnd()) return Fail();
        return bytes_[pos_++];
    }
    std::uint8_t Peek() const { return AtEnd() ? 0 : bytes_[pos_]; }

    std::uint32_t BigEndian(int width) {
        std::uint32_t value = 0;
        for (int i = 0; i < width; ++i) value = value << 8 | Byte();
        return value;
    }

    // A variable-length quantity: at most four bytes of seven bits each.
    std::uint32_t Quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t byte = Byte();
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) return value;
        }
        return Fail();
    }

    void Skip(std::size_t count) {
        if (count > bytes_.size() - std::min(pos_, bytes_.size()))
            Fail();
        else
            pos_ += count;
    }

    std::span<const std::uint8_t> Take(std::size_t count) {
        const std::size_t start = pos_;
        Skip(count);
        return failed_ ? std::span<const std::uint8_t>{} : bytes_.subspan(start, count);
    }

    bool Matches(const char (&id)[5]) {
        const auto taken = Take(4);
        return !failed_ && std::equal(taken.begin(), taken.end(), id);
    }

private:
    std::uint8_t Fail() {
        failed_ = true;
        pos_ = bytes_.size();
        return 0;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// Walks one track chunk: returns its length in ticks and takes the first tempo it meets.
std::optional<std::int64_t> WalkTrack(std::span<const std::uint8_t> track,
                                      std::optional<int>& tempo) {
    ByteReader in(track);
    std::int64_t ticks = 0;
    std::uint8_t running = 0;
    while (!in.AtEnd()) {
        ticks += in.Quantity();
        if (ticks > kMostTicks) return std::nullopt;
        const std::uint8_t lead = in.Peek();
        if (lead == midi::kMetaEvent) {
            in.Byte();
            const std::uint8_t type = in.Byte();
            const auto data = in.Take(in.Quantity());
            if (type == midi::kMetaTempo && data.size() == 3 && !tempo)
                tempo = static_cast<int>(data[0] << 16 | data[1] << 8 | data[2]);
            if (type == midi::kMetaEndOfTrack) break;
        } else if (lead == midi::kSysEx || lead == midi::kSysExContinued) {
            in.Byte();
            in.Skip(in.Quantity());
        } else {
            if (midi::IsStatus(lead)) running = in.Byte();
            if (running == 0) return std::nullopt; // data with no status to continue
            in.Skip(static_cast<std::size_t>(midi::DataByteCount(running)));
        }
        if (in.Failed()) return std::nullopt;
    }
    return ticks;
}

} // namespace

std::optional<MidiTiming> ReadMidiTiming(std::span<const std::uint8_t> file) {
    ByteReader in(file);
    if (!in.Matches("MThd")) return std::nullopt;
    const std::uint32_t headerLength = in.BigEndian(4);
    in.BigEndian(2); // format: any, the longest track decides
    const std::uint32_t tracks = in.BigEndian(2);
    const std::uint32_t division = in.BigEndian(2);
    if (in.Failed() || headerLength < 6 || division == 0 || (division & 0x8000) != 0)
        return std::nullopt;
    in.Skip(headerLength - 6);

    MidiTiming timing;
    timing.division = static_cast<int>(division);
    std::optional<int> tempo;
    for (std::uint32_t found = 0; found < tracks && !in.AtEnd();) {
        const bool isTrack = in.Matches("MTrk");
        const auto chunk = in.Take(in.BigEndian(4));
        if (in.Failed()) return std::nullopt;
        if (!isTrack) continue; // an unknown chunk is skipped, as readers must
        const auto ticks = WalkTrack(chunk, tempo);
        if (!ticks) return std::nullopt;
        timing.lengthTicks = std::max(timing.lengthTicks, *ticks);
        ++found;
    }
    if (tempo && *tempo > 0) timing.microsPerQuarter = *tempo;
    return timing;
}

std::int64_t TicksToMs(const MidiTiming& timing, std::int64_t ticks) {
    return ticks * timing.microsPerQuarter / (std::int64_t{timing.division} * 1000);
}

std::int64_t MsToTicks(const MidiTiming& timing, std::int64_t ms) {
    ms = std::clamp<std::int64_t>(ms, 0, TicksToMs(timing, kMostTicks));
    return ms * 1000 * timing.division / timing.microsPerQuarter;
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

} // namespace kvat
