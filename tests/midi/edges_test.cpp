// What the whole-verse fixtures do not reach: tokens that are no note, rests and black keys
// under the harmony, a melody ending on a bar line, settings off their lists and the bare file.

#include "midi/arrangement.h"
#include "midi/midi_file.h"
#include "midi/presets.h"
#include "midi/sound_tables.h"
#include "mido_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kvat {
namespace {

using Tokens = std::vector<std::string>;

TEST(Arrangement, WhatIsNoNoteNumberIsARestAndARestIsNeverLengthenedOrBoosted) {
    EXPECT_EQ(ArrangeMelody(Tokens{"", "x7+", "0++", "0+++", "0+"}, {}),
              ArrangeMelody(Tokens(5, "0"), {}));
}

// The fixtures switch every voice on; here the bass stays off.
TEST(Arrangement, RestsAndBlackKeysHaveNoChordAndAMelodyEndingOnABarLineEndsThere) {
    SoundSettings settings;
    settings.mezzo.on = settings.tenor.on = true;
    settings.accompanimentOn = true;
    settings.numerator = 3;
    const Tokens tokens = {"60+", "62", "64", "0", "65", "67", "61", "60", "60"};
    const auto reading = test::WriteAndReadWithMido("bars.mid", ArrangeMelody(tokens, settings));
    ASSERT_TRUE(reading.accepted) << reading.output;
    EXPECT_EQ(test::NotesLeftSounding(reading), Tokens{});
    // Each bar holds its first key, with that key's chord under a white key only.
    EXPECT_EQ(
        reading.Of("note_on", 4),
        (std::vector<test::MidoEvent>{{0, "note_on", 4, 60, 127}, {336, "note_on", 4, 61, 107}}));
    EXPECT_EQ(reading.Of("note_off", 4).back().tick, 480);
    for (int channel : {5, 6, 7}) EXPECT_EQ(reading.Of("note_on", channel).size(), 1u);
    for (int channel : {1, 2}) EXPECT_EQ(reading.Of("note_on", channel).size(), 7u);
    EXPECT_TRUE(reading.Of("note_on", 3).empty() && reading.Of("program", 3).empty());
}

// What other programs rely on, whatever is switched on: a rest is silence, "No Effect" sends no
// controller, drums neither delay nor outlast their token, the pedal or the modulation is let go
// at the end, and the words are there.
TEST(Arrangement, RestsAreSilentDrumsKeepTimeEffectsEndAndTheWordsAreThere) {
    const Tokens tokens = {"60+", "0", "62", "0+", "0", "64++", "0"};
    const MidiWords words{"Буря", {"Бу-", "", "ря", "", "", "мгла", ""}};
    for (const OutputEffect effect :
         {OutputEffect::kNone, OutputEffect::kModulation, OutputEffect::kSustain}) {
        const bool sent = effect != OutputEffect::kNone;
        SoundSettings plain{.effect = effect};
        plain.mezzo.on = plain.accompanimentOn = true;
        SoundSettings drummed = plain;
        drummed.drumsOn = true;
        drummed.drumMap = 3;
        const auto withDrums =
            test::WriteAndReadWithMido("d.mid", ArrangeMelody(tokens, drummed, words));
        const auto without = test::WriteAndReadWithMido("p.mid", ArrangeMelody(tokens, plain));
        ASSERT_TRUE(withDrums.accepted && without.accepted) << withDrums.output << without.output;
        EXPECT_EQ(withDrums.Of("end_of_track"), without.Of("end_of_track")) << sent;
        EXPECT_EQ(withDrums.Of("end_of_track")[0].tick, 48 + 72 * 5 + 96) << sent;
        EXPECT_EQ(test::NotesLeftSounding(withDrums), Tokens{}) << sent;
        for (const auto& e : withDrums.events) {
            EXPECT_FALSE(e.kind.starts_with("note") && e.first == 0) << e;
            EXPECT_FALSE(e.kind == "control" && e.first == 0) << e;
        }
        const auto controls = withDrums.Of("control");
        EXPECT_EQ(controls.size(), sent ? 4 * tokens.size() + 4 : 0u) << sent;
        if (sent) {
            EXPECT_EQ(controls.back().second, 0);
        }
        EXPECT_EQ(withDrums.Of("track_name").size(), 1u);
        EXPECT_EQ(withDrums.Of("lyrics").size(), 3u);
        EXPECT_TRUE(without.Of("lyrics").empty() && without.Of("track_name").empty());
    }
}

TEST(SoundSettings, ValuesOffTheListsAreTakenAtTheirEndsAndVelocitiesStayInADataByte) {
    for (int index : {-1, 8}) EXPECT_FALSE(DynamicsValue(index)) << index;
    for (int index : {-1, 39}) EXPECT_FALSE(TempoValue(index)) << index;
    EXPECT_EQ(EffectController(static_cast<OutputEffect>(3)), 0);
    SoundSettings untouched;
    EXPECT_FALSE(ApplyGroup(untouched, static_cast<VoiceGroup>(3)));
    EXPECT_FALSE(untouched.mezzo.on || untouched.groupOn);
    for (const auto& row : kDynamicsTable) {
        const SoundSettings loudest{.dynamicsPercent = row.percent, .boostPercent = 100};
        EXPECT_EQ(BaseVelocity(loudest) + 27 + StressBoost(loudest), 127) << row.percent;
    }
    const SoundSettings off{.dynamicsPercent = 12, .boostPercent = -30};
    EXPECT_EQ(BaseVelocity(off), 30);
    EXPECT_EQ(StressBoost(off), 0);
    // The nearest row names a value between two, the earlier of two as near.
    const std::pair<int, int> tempos[] = {{1000, 0}, {109, 13}, {106, 13}, {0, 38}};
    for (const auto& [bpm, index] : tempos) EXPECT_EQ(TempoIndex(bpm), index) << bpm;
    EXPECT_EQ(DynamicsIndex(75), 2);
}

TEST(MidiFile, NoEventsGiveTheBareFrameAndNoTempoTheSlowestTheFieldHolds) {
    const TrackBytes file = BuildMidiFile({}, 0, 4, 2);
    EXPECT_EQ(file.size(), 41u);
    EXPECT_EQ(TrackBytes(file.begin() + 34, file.begin() + 37), (TrackBytes{0xE4, 0xE1, 0xC0}));
    const auto reading = test::WriteAndReadWithMido("empty.mid", file);
    EXPECT_TRUE(reading.accepted) << reading.output;
    EXPECT_EQ(reading.events.size(), 3u);
}

} // namespace
} // namespace kvat
