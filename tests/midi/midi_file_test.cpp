// The file around the events: header, time signature, tempo, track length and end of track.

#include "midi/arrangement.h"
#include "midi/midi_file.h"
#include "mido_reader.h"
#include "track_text.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

using test::Hex;
using test::MidoEvent;

TEST(MidiFile, ThreeTokensAtStartUpSettingsGiveTheKnownFile) {
    // Tempo 108, 4/2, dynamics 80 with a boost of 20, soprano on program 2, no effect.
    const TrackBytes file = ArrangeMelody(std::vector<std::string>{"60+", "62", "0"}, {});
    EXPECT_EQ(Hex(file), "4D 54 68 64 00 00 00 06 00 00 00 01 00 60 4D 54 "
                         "72 6B 00 00 00 64 00 FF 58 04 04 01 18 08 00 FF "
                         "51 03 08 7A 23 00 B0 00 7F 00 B1 00 7F 00 B2 00 "
                         "7F 00 B3 00 7F 00 C0 02 00 90 3C 7F 48 80 3C 00 "
                         "00 B0 00 7F 00 B1 00 7F 00 B2 00 7F 00 B3 00 7F "
                         "00 C0 02 00 90 3E 6B 30 80 3E 00 00 B0 00 7F 00 "
                         "B1 00 7F 00 B2 00 7F 00 B3 00 7F 00 C0 02 00 90 "
                         "00 6B 48 80 00 00 00 FF 2F 00");

    const auto reading = test::WriteAndReadWithMido("three.mid", file);
    ASSERT_TRUE(reading.accepted) << reading.output;
    const std::vector<MidoEvent> ons = {
        {0, "note_on", 0, 60, 127}, {72, "note_on", 0, 62, 107}, {120, "note_on", 0, 0, 107}};
    const std::vector<MidoEvent> offs = {
        {72, "note_off", 0, 60, 0}, {120, "note_off", 0, 62, 0}, {192, "note_off", 0, 0, 0}};
    EXPECT_EQ(reading.Of("note_on"), ons);
    EXPECT_EQ(reading.Of("note_off"), offs);
    EXPECT_EQ(reading.Of("end_of_track").at(0).tick, 192);
}

TEST(MidiFile, NoEventsGiveTheBareFrame) {
    const TrackBytes file = BuildMidiFile({}, 108, 4, 2);
    ASSERT_EQ(file.size(), 41u);
    EXPECT_EQ(Hex(std::span(file).subspan(18, 4)), "00 00 00 13");
    const auto reading = test::WriteAndReadWithMido("empty.mid", file);
    EXPECT_TRUE(reading.accepted) << reading.output;
    EXPECT_EQ(reading.events.size(), 3u);
}

TEST(MidiFile, TimeSignatureDenominatorIsWrittenAsAPowerOfTwo) {
    const auto signature = [](int numerator, int denominator) {
        const TrackBytes file = BuildMidiFile({}, 108, numerator, denominator);
        return Hex(std::span(file).subspan(22, 8));
    };
    EXPECT_EQ(signature(4, 2), "00 FF 58 04 04 01 18 08");
    EXPECT_EQ(signature(6, 8), "00 FF 58 04 06 03 18 08");
    EXPECT_EQ(signature(12, 16), "00 FF 58 04 0C 04 18 08");
    EXPECT_EQ(signature(3, 4), "00 FF 58 04 03 02 18 08");
}

TEST(MidiFile, TempoIsWrittenAsMicrosecondsPerQuarterNote) {
    const auto tempo = [](int bpm) {
        const TrackBytes file = BuildMidiFile({}, bpm, 4, 2);
        return Hex(std::span(file).subspan(30, 7));
    };
    EXPECT_EQ(tempo(108), "00 FF 51 03 08 7A 23");
    EXPECT_EQ(tempo(120), "00 FF 51 03 07 A1 20");
    EXPECT_EQ(tempo(200), "00 FF 51 03 04 93 E0");
    EXPECT_EQ(tempo(40), "00 FF 51 03 16 E3 60");
    // No tempo must neither divide by zero nor overflow the field: the slowest it can hold.
    EXPECT_EQ(tempo(0), "00 FF 51 03 E4 E1 C0");
}

} // namespace
} // namespace kvat
