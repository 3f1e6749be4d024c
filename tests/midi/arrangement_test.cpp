// What each token becomes, grouped by the kind of event: the melody note and its length, the
// controllers and programs, the harmony voices, the held accompaniment chord and the drums.

#include "midi/arrangement.h"
#include "midi/chords.h"
#include "mido_reader.h"
#include "track_text.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

using test::EventsWithStatus;
using test::Hex;
using test::TrackEvents;
using Events = std::vector<std::string>;

// --- The melody note: velocity and length (start-up settings: dynamics 80, boost 20) --------

struct MarkCase {
    const char* token;
    const char* noteOn;
    const char* noteOff;
    friend std::ostream& operator<<(std::ostream& out, const MarkCase& c) {
        return out << '"' << c.token << '"';
    }
};

class MelodyNote : public testing::TestWithParam<MarkCase> {};

TEST_P(MelodyNote, MarksSetLengthAndBoost) {
    const TrackBytes track = TrackEvents({GetParam().token}, {});
    EXPECT_EQ(EventsWithStatus(track, 0x90), Events{GetParam().noteOn});
    EXPECT_EQ(EventsWithStatus(track, 0x80), Events{GetParam().noteOff});
}

INSTANTIATE_TEST_SUITE_P(Tokens, MelodyNote,
                         testing::Values(MarkCase{"60", "00 90 3C 6B", "30 80 3C 00"},
                                         MarkCase{"60+", "00 90 3C 7F", "48 80 3C 00"},
                                         MarkCase{"60++", "00 90 3C 7F", "60 80 3C 00"},
                                         MarkCase{"60+++", "00 90 3C 7F", "60 80 3C 00"},
                                         // A rest is key 0 for 72 ticks, never boosted.
                                         MarkCase{"0", "00 90 00 6B", "48 80 00 00"},
                                         MarkCase{"0+", "00 90 00 6B", "48 80 00 00"},
                                         MarkCase{"0++", "00 90 00 6B", "48 80 00 00"},
                                         // What is no note number reads as a rest.
                                         MarkCase{"", "00 90 00 6B", "48 80 00 00"},
                                         MarkCase{"x7+", "00 90 00 6B", "48 80 00 00"}));

TEST(MelodyNote, WithoutLengtheningMarksKeepTheirLengthButLoseTheBoost) {
    SoundSettings settings;
    settings.lengthen = false;
    const TrackBytes track = TrackEvents({"60+", "60++"}, settings);
    EXPECT_EQ(EventsWithStatus(track, 0x90), (Events{"00 90 3C 6B", "00 90 3C 6B"}));
    EXPECT_EQ(EventsWithStatus(track, 0x80), (Events{"48 80 3C 00", "60 80 3C 00"}));
}

// --- Controllers and programs at the start of every token -----------------------------------

TEST(TokenStart, EffectOnTheFourVoiceChannelsThenThePrograms) {
    EXPECT_EQ(Hex(TrackEvents({"60"}, {})),
              "00 B0 00 7F 00 B1 00 7F 00 B2 00 7F 00 B3 00 7F 00 C0 02 00 90 3C 6B 30 80 3C 00");
    SoundSettings settings;
    settings.effect = 2;
    settings.tenor = {true, 42};
    settings.accompanimentOn = true;
    const TrackBytes track = TrackEvents({"61"}, settings);
    EXPECT_EQ(EventsWithStatus(track, 0xB3), Events{"00 B3 40 7F"});
    EXPECT_EQ(EventsWithStatus(track, 0xC1), Events{});
    EXPECT_EQ(EventsWithStatus(track, 0xC2), Events{"00 C2 2A"});
    EXPECT_EQ(EventsWithStatus(track, 0xC7), Events{"00 C7 59"});
    settings.effect = 1;
    EXPECT_EQ(EventsWithStatus(TrackEvents({"0"}, settings), 0xB0), Events{"00 B0 01 7F"});
}

// --- Harmony voices ---------------------------------------------------------------------------

TEST(Harmony, ChordsComeFromTheTable) {
    EXPECT_EQ(ChordFor(60), (Chord{52, 43, 36}));
    EXPECT_EQ(ChordFor(95), (Chord{89, 81, 74}));
    for (int note : {0, 35, 61, 96, 127, 128, -1}) EXPECT_FALSE(ChordFor(note)) << note;
}

TEST(Harmony, VoicesThatAreOnSoundTheChordSofterAndStopWithTheMelody) {
    SoundSettings settings;
    settings.mezzo.on = true;
    TrackBytes track = TrackEvents({"60"}, settings);
    EXPECT_EQ(EventsWithStatus(track, 0x91), Events{"00 91 34 50"});
    EXPECT_EQ(EventsWithStatus(track, 0x92), Events{});
    settings.tenor.on = settings.bass.on = true;
    track = TrackEvents({"60+"}, settings);
    EXPECT_NE(Hex(track).find("00 90 3C 7F 00 91 34 64 00 92 2B 64 00 93 24 64 "
                              "48 80 3C 00 00 81 34 00 00 82 2B 00 00 83 24 00"),
              std::string::npos);
    // A rest, or a note without a chord, leaves the harmony silent.
    track = TrackEvents({"61", "0+"}, settings);
    for (int status : {0x91, 0x92, 0x93, 0x81, 0x82, 0x83})
        EXPECT_EQ(EventsWithStatus(track, status), Events{}) << std::hex << status;
}

// --- The held accompaniment chord -------------------------------------------------------------

SoundSettings Accompanied(int numerator) {
    SoundSettings settings;
    settings.accompanimentOn = true;
    settings.numerator = numerator;
    return settings;
}

// Ticks at which channel 4 starts and ends its notes, as mido finds them.
std::pair<std::vector<long>, std::vector<long>>
HeldChords(const std::string& name, const std::vector<std::string>& tokens, int numerator) {
    const auto reading =
        test::WriteAndReadWithMido(name, ArrangeMelody(tokens, Accompanied(numerator)));
    EXPECT_TRUE(reading.accepted) << reading.output;
    EXPECT_EQ(test::NotesLeftSounding(reading), Events{});
    std::pair<std::vector<long>, std::vector<long>> ticks;
    for (const auto& e : reading.Of("note_on", 4)) ticks.first.push_back(e.tick);
    for (const auto& e : reading.Of("note_off", 4)) ticks.second.push_back(e.tick);
    return ticks;
}

TEST(Accompaniment, EachBarHoldsOneChordAndTheLastIsReleasedWhereTheMelodyEnds) {
    // Bars of three 48-tick tokens; the third bar is cut short after one token.
    auto [starts, ends] = HeldChords("bars3.mid", Events(7, "60"), 3);
    EXPECT_EQ(starts, (std::vector<long>{0, 144, 288}));
    EXPECT_EQ(ends, (std::vector<long>{144, 288, 336}));
    // Ending on a bar line needs no further release.
    std::tie(starts, ends) = HeldChords("bar-line.mid", {"60+", "62", "64", "0", "65", "67"}, 3);
    EXPECT_EQ(starts, (std::vector<long>{0, 168}));
    EXPECT_EQ(ends, (std::vector<long>{168, 336}));
}

TEST(Accompaniment, TheChordTakesTheVelocityOfItsFirstTokenAndEndsAfterTheBarsLastNote) {
    const TrackBytes track = TrackEvents({"60+", "62"}, Accompanied(2));
    EXPECT_NE(Hex(track).find("00 94 3C 7F 00 95 34 7F 00 96 2B 7F 00 97 24 7F"),
              std::string::npos);
    EXPECT_NE(Hex(track).find("30 80 3E 00 00 84 3C 00 00 85 34 00 00 86 2B 00 00 87 24 00"),
              std::string::npos);
}

TEST(Accompaniment, ABarStartingOnARestOrABlackKeyHoldsOnlyThatKey) {
    const TrackBytes track = TrackEvents({"0", "60", "61", "60"}, Accompanied(2));
    EXPECT_EQ(EventsWithStatus(track, 0x94), (Events{"00 94 00 6B", "00 94 3D 6B"}));
    EXPECT_EQ(EventsWithStatus(track, 0x84), (Events{"00 84 00 00", "00 84 3D 00"}));
    for (int status : {0x95, 0x96, 0x97, 0x85, 0x86, 0x87})
        EXPECT_EQ(EventsWithStatus(track, status), Events{}) << std::hex << status;
}

// --- Drums --------------------------------------------------------------------------------

SoundSettings Drummed(int map) {
    SoundSettings settings;
    settings.drumsOn = true;
    settings.drumMap = map;
    return settings;
}

TEST(Drums, TheFigureStrikesTheLastThreeTokensOfEveryMapOneTickLate) {
    const auto reading =
        test::WriteAndReadWithMido("drums.mid", ArrangeMelody(Events(11, "60"), Drummed(5)));
    ASSERT_TRUE(reading.accepted) << reading.output;
    const std::vector<test::MidoEvent> strokes = {
        {97, "note_on", 9, 45, 80},  {146, "note_on", 9, 45, 80}, {195, "note_on", 9, 51, 80},
        {340, "note_on", 9, 45, 80}, {389, "note_on", 9, 45, 80}, {438, "note_on", 9, 51, 80}};
    EXPECT_EQ(reading.Of("note_on", 9), strokes);
    EXPECT_TRUE(reading.Of("note_off", 9).empty());
    EXPECT_EQ(reading.Of("end_of_track").at(0).tick, 11 * 48 + 6);
}

TEST(Drums, TheSmallestMapStrikesEveryTokenAtTheHarmonyVelocity) {
    SoundSettings settings = Drummed(3);
    settings.drumFirst = 0;
    settings.drumLast = 46;
    settings.dynamics = 7; // 30, a boost of 20 for marked notes only
    EXPECT_EQ(EventsWithStatus(TrackEvents({"60", "0+", "60++", "60+"}, settings), 0x99),
              (Events{"01 99 23 1E", "01 99 23 1E", "01 99 51 32", "01 99 23 32"}));
}

} // namespace
} // namespace kvat
