#pragma once
// The MIDI status bytes and meta-event types by name, for everything that writes, reads or sends
// MIDI: the file writer, the file's timing reader and the live outputs.

#include <cstdint>

namespace kvat::midi {

// Channel messages: the high nibble; the channel goes in the low one.
inline constexpr std::uint8_t kNoteOff = 0x80;
inline constexpr std::uint8_t kNoteOn = 0x90;
inline constexpr std::uint8_t kPolyPressure = 0xA0;
inline constexpr std::uint8_t kControlChange = 0xB0;
inline constexpr std::uint8_t kProgramChange = 0xC0;
inline constexpr std::uint8_t kChannelPressure = 0xD0;
inline constexpr std::uint8_t kPitchBend = 0xE0;

// File-only events.
inline constexpr std::uint8_t kSysEx = 0xF0;
inline constexpr std::uint8_t kSysExContinued = 0xF7;
inline constexpr std::uint8_t kMetaEvent = 0xFF;
inline constexpr std::uint8_t kMetaTrackName = 0x03;
inline constexpr std::uint8_t kMetaLyric = 0x05;
inline constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr std::uint8_t kMetaTempo = 0x51;
inline constexpr std::uint8_t kMetaTimeSignature = 0x58;

// Controllers the arrangement and the preview use.
inline constexpr int kModulationWheel = 1;
inline constexpr int kSustainPedal = 64;
inline constexpr int kAllSoundOff = 120;
inline constexpr int kAllNotesOff = 123;

constexpr std::uint8_t StatusKind(std::uint8_t status) {
    return status & 0xF0;
}
constexpr int StatusChannel(std::uint8_t status) {
    return status & 0x0F;
}
constexpr bool IsStatus(std::uint8_t byte) {
    return (byte & 0x80) != 0;
}

// The data bytes a channel message carries after its status byte.
constexpr int DataByteCount(std::uint8_t status) {
    const std::uint8_t kind = StatusKind(status);
    return kind == kProgramChange || kind == kChannelPressure ? 1 : 2;
}

} // namespace kvat::midi
