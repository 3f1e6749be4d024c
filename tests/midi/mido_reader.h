#pragma once
// The MIDI files the tests write, read back by mido (Debian's python3-mido), a parser that is
// not ours: whether it accepts them and where it finds each event.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kvat::test {

struct MidoEvent {
    long tick = 0;    // absolute
    std::string kind; // note_on, note_off, program, control, time_signature, tempo, end_of_track
    int channel = 0;
    int first = 0;  // note, program, controller, numerator or tempo
    int second = 0; // velocity, value or denominator
    bool operator==(const MidoEvent&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const MidoEvent& e) {
        return out << e.tick << ' ' << e.kind << ' ' << e.channel << ' ' << e.first << ' '
                   << e.second;
    }
};

struct MidoReading {
    bool accepted = false;
    std::string output; // what the script printed, for failure messages and fixtures
    std::vector<MidoEvent> events;

    // The events of one kind, of one channel or (-1) of all.
    std::vector<MidoEvent> Of(const std::string& kind, int channel = -1) const;
};

MidoReading ReadWithMido(const std::string& path);

// Writes the bytes into this test process's folder with the program's atomic writer, then
// reads them back with mido.
MidoReading WriteAndReadWithMido(const std::string& name, std::span<const std::uint8_t> bytes);

// "channel:note" of every note switched on and never off, drums included.
std::vector<std::string> NotesLeftSounding(const MidoReading& reading);

std::string TestFolder();

} // namespace kvat::test
