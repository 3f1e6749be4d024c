#include "track_text.h"

#include <cstdio>

namespace kvat::test {

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    char digits[4];
    for (const std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", byte);
        text += digits;
    }
    return text;
}

TrackBytes TrackEvents(const std::vector<std::string>& tokens, const SoundSettings& settings) {
    TrackState state;
    for (const auto& token : tokens)
        ArrangeToken(state, token, BaseVelocity(settings), StressBoost(settings), settings);
    ReleaseAccompaniment(state, settings);
    return state.events;
}

// Each event is a delta, a status and two data bytes, one for a program change.
std::vector<std::string> EventsWithStatus(const TrackBytes& track, int status) {
    std::vector<std::string> found;
    for (std::size_t at = 0, size = 0; at + 1 < track.size(); at += size) {
        size = (track[at + 1] & 0xF0) == 0xC0 ? 3 : 4;
        if (track[at + 1] == status && at + size <= track.size())
            found.push_back(Hex(std::span(track).subspan(at, size)));
    }
    return found;
}

} // namespace kvat::test
