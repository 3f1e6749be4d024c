#pragma once
// Track bytes as hexadecimal text, "00 B0 00 7F ...", to compare with the known events.

#include "midi/arrangement.h"

#include <span>
#include <string>
#include <vector>

namespace kvat::test {

std::string Hex(std::span<const std::uint8_t> bytes);

// The events the tokens give on a fresh track under the settings, the end release included.
TrackBytes TrackEvents(const std::vector<std::string>& tokens, const SoundSettings& settings);

// The events of one status byte (0x91: the note-ons of channel 1), in order, as hex.
std::vector<std::string> EventsWithStatus(const TrackBytes& track, int status);

} // namespace kvat::test
