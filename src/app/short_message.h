#pragma once
// One channel message as a live MIDI output takes it: a status byte and two data bytes, the
// second unused by a program change.

#include <cstdint>

namespace kvat {

struct ShortMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    friend bool operator==(const ShortMessage&, const ShortMessage&) = default;
};

// Program and channel-pressure messages have one data byte; the others the program sends, two.
inline int MessageLength(const ShortMessage& message) {
    const int kind = message.status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

} // namespace kvat
