#pragma once
// One channel message as a live MIDI output takes it: a status byte and two data bytes, the
// second unused by a program change.

#include "midi/status_bytes.h"

#include <cstdint>

namespace kvat {

struct ShortMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    friend bool operator==(const ShortMessage&, const ShortMessage&) = default;
};

// The status byte and its data bytes: one for a program change or channel pressure, else two.
inline int MessageLength(const ShortMessage& message) {
    return 1 + midi::DataByteCount(message.status);
}

} // namespace kvat
