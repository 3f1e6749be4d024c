#include "fuzz_support.h"

#include "melody/melody.h"
#include "melody/verse_walk.h"
#include "verse/letters.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>

namespace kvat::fuzz {

void Broken(const char* what) {
    std::fprintf(stderr, "kvat fuzz: broken: %s\n", what);
    std::abort();
}

std::u32string LenientText(std::string_view bytes) {
    std::u32string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = lead & (length == 1 ? 0xFF : 0x7F >> length);
        bool whole = i + length <= bytes.size();
        for (int k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        text.push_back(length > 1 && !whole ? lead : c);
        i += whole ? length : 1;
    }
    return text;
}

Lines VerseLines(std::string_view bytes) {
    return Split(std::u32string_view(LenientText(bytes)), std::u32string_view(U"\n"));
}

int SettingValue(FuzzedDataProvider& data, int low, int high) {
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    const int kind = data.ConsumeIntegralInRange(0, 7);
    if (kind == 0) return data.ConsumeIntegral<int>();
    return kind == 1 ? data.PickValueInArray({kMin, kMax, low - 1, high + 1})
                     : data.ConsumeIntegralInRange(low, high);
}

void RequireMelody(const Lines& lines, const std::string& melody) {
    const auto tokens = MelodyTokens(melody);
    Require(tokens.size() == melody::TokenCount(lines),
            "the melody has not one token per vowel and one per line");
    for (const std::string_view token : tokens) {
        const std::string_view number = token.substr(0, token.find('+'));
        const bool note = number.size() == 2 && number >= "36" && number <= "95";
        Require((number == "0" || note) && token.size() - number.size() <= 3 &&
                    token.find_first_not_of('+', number.size()) == std::string_view::npos,
                "a token is not a rest or 36..95 with up to three +");
    }
    std::size_t end = 0;
    for (const auto& line : lines) {
        end += melody::VowelCount(line) + 1;
        const auto last = std::find_if(line.rbegin(), line.rend(),
                                       [](char32_t c) { return c == U' ' || IsVowel(ToLower(c)); });
        Require(tokens[end - 1].starts_with('0') || (last != line.rend() && *last == U' '),
                "a line does not end with a rest");
    }
}

std::span<const std::uint8_t> RequireFrame(std::span<const std::uint8_t> file) {
    constexpr std::uint8_t kHead[] = {'M', 'T', 'h', 'd', 0,  0,   0,   6,   0,
                                      0,   0,   1,   0,   96, 'M', 'T', 'r', 'k'};
    Require(file.size() >= 22 && std::equal(std::begin(kHead), std::end(kHead), file.begin()),
            "the file does not open a format-0 file of one track at 96 ticks per quarter");
    std::uint32_t length = 0;
    for (const std::uint8_t byte : file.subspan(18, 4)) length = length << 8 | byte;
    Require(length == file.size() - 22, "the track length field is not its real length");
    return file.subspan(22);
}

std::array<std::size_t, 16> RequireSoundMidiFile(std::span<const std::uint8_t> file) {
    const auto track = RequireFrame(file);
    std::size_t at = 0;
    const auto byte = [&] {
        Require(at < track.size(), "an event runs past the end of the track");
        return track[at++];
    };
    const auto data = [&] {
        const std::uint8_t value = byte();
        Require(value < 0x80, "a data byte has its top bit set");
        return value;
    };
    const auto quantity = [&] {
        std::uint32_t value = 0;
        for (int k = 0; k < 4; ++k)
            if (const std::uint8_t b = byte(); (value = value << 7 | (b & 0x7F)), b < 0x80)
                return value;
        Broken("a variable-length quantity is longer than four bytes");
    };
    const auto skip = [&](std::uint32_t size) {
        Require(size <= track.size() - at, "a meta or system event runs past the track");
        at += size;
        return size;
    };
    std::array<std::size_t, 16> noteOns{};
    std::map<std::pair<int, int>, int> sounding; // by (channel, note), drums included
    bool ended = false;
    while (at < track.size()) {
        Require(!ended, "events follow the end of track");
        quantity();
        const std::uint8_t status = byte();
        Require(status >= 0x80, "an event without its status byte");
        if (status == 0xFF) {
            ended = data() == 0x2F;
            Require(skip(quantity()) == 0 || !ended, "the end of track carries data");
        } else if (status == 0xF0 || status == 0xF7) {
            skip(quantity());
        } else {
            Require(status < 0xF0, "a system common or real-time message inside the track");
            const int kind = status & 0xF0, channel = status & 0x0F, note = data();
            const int velocity = kind == 0xC0 || kind == 0xD0 ? 0 : data();
            const bool on = kind == 0x90 && velocity > 0;
            noteOns[static_cast<std::size_t>(channel)] += on;
            const bool noteEvent = kind == 0x80 || kind == 0x90;
            Require(!noteEvent || note != 0, "a note event on key 0: a rest must be silence");
            Require(kind != 0xB0 || note != 0, "controller 0 (bank select) was sent");
            if (noteEvent)
                Require((sounding[{channel, note}] += on ? 1 : -1) >= 0,
                        "a note-off without its note-on");
        }
    }
    Require(ended, "the track does not end with end of track");
    Require(std::all_of(sounding.begin(), sounding.end(), [](auto& e) { return e.second == 0; }),
            "a note-on is never switched off");
    return noteOns;
}

} // namespace kvat::fuzz
