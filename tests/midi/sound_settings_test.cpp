// The sound choices: the lists behind them, the start-up defaults and the bounds that keep
// every velocity within a data byte.

#include "midi/instrument_names.h"
#include "midi/presets.h"
#include "midi/sound_settings.h"
#include "midi/sound_tables.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvat {
namespace {

std::u32string_view Program(int index) {
    return kProgramNames.at(static_cast<std::size_t>(index));
}

TEST(SoundTables, LookupsAnswerOnlyForIndexesOnTheLists) {
    EXPECT_EQ(DynamicsValue(2)->value, 80);
    EXPECT_EQ(DynamicsValue(2)->glyph, 111);
    EXPECT_EQ(TempoValue(13)->bpm, 108);
    EXPECT_EQ(TempoValue(13)->term, U"Allegro moderato");
    for (int index : {-1, 8}) EXPECT_FALSE(DynamicsValue(index)) << index;
    for (int index : {-1, 39}) EXPECT_FALSE(TempoValue(index)) << index;
    // Fast to slow and loud to soft: a dropped or swapped row breaks the order.
    for (std::size_t i = 1; i < kTempoTable.size(); ++i)
        EXPECT_LT(kTempoTable[i].bpm, kTempoTable[i - 1].bpm) << i;
    for (std::size_t i = 0; i < kDynamicsTable.size(); ++i)
        EXPECT_EQ(kDynamicsTable[i].value, 100 - 10 * static_cast<int>(i));
}

TEST(SoundTables, TaktOffersTheDenominatorsOfEachNumerator) {
    const auto three = DenominatorsFor(3), twelve = DenominatorsFor(12);
    EXPECT_EQ(std::vector(three.begin(), three.end()), (std::vector{2, 4, 8, 16}));
    EXPECT_EQ(std::vector(twelve.begin(), twelve.end()), (std::vector{8, 16}));
    EXPECT_TRUE(DenominatorsFor(5).empty());
}

TEST(SoundSettings, StartUpDefaultsNameTheExpectedInstruments) {
    const SoundSettings s;
    EXPECT_EQ(Program(s.soprano), U"Electric grand piano");
    EXPECT_EQ(Program(s.mezzo.program), U"Rhodes piano");
    EXPECT_EQ(Program(s.bass.program), U"Celesta");
    EXPECT_EQ(Program(s.accompaniment), U"Pad 2 (warm)");
    EXPECT_EQ(kPercussionNames.at(static_cast<std::size_t>(s.drumFirst)), U"Low Tom");
    EXPECT_EQ(kPercussionNames.at(static_cast<std::size_t>(s.drumLast)), U"Ride Cymbal 1");
    EXPECT_EQ(kDynamicsTable.at(static_cast<std::size_t>(s.dynamics)).item, U"Форте");
    EXPECT_EQ(kTempoTable.at(static_cast<std::size_t>(s.tempo)).item, U"Аллегро модерато");
}

TEST(SoundSettings, GroupsSwitchOnAllFourVoicesWithTheirInstruments) {
    SoundSettings s;
    ASSERT_TRUE(ApplyGroup(s, 2));
    EXPECT_TRUE(s.groupOn && s.mezzo.on && s.tenor.on && s.bass.on);
    EXPECT_EQ((std::vector{Program(s.soprano), Program(s.mezzo.program), Program(s.tenor.program),
                           Program(s.bass.program)}),
              (std::vector<std::u32string_view>{U"Trumpet", U"French horn", U"Trombone", U"Tuba"}));
    SoundSettings untouched;
    EXPECT_FALSE(ApplyGroup(untouched, 3));
    EXPECT_FALSE(untouched.mezzo.on);
}

TEST(SoundSettings, EffectsAndBoostsStayWithinTheirRanges) {
    EXPECT_EQ((std::vector{EffectController(0), EffectController(1), EffectController(2),
                           EffectController(3)}),
              (std::vector{0, 1, 64, 0}));
    for (int dynamics = 0; dynamics < 8; ++dynamics) {
        SoundSettings s;
        s.dynamics = dynamics;
        s.boost = 7;
        EXPECT_EQ(StressBoost(s), 10 * dynamics);
        EXPECT_EQ(BaseVelocity(s) + 27 + StressBoost(s), 127);
    }
    SoundSettings off; // indexes off the lists are taken at the nearest end
    off.dynamics = 12;
    off.boost = -3;
    off.tempo = 99;
    EXPECT_EQ(BaseVelocity(off), 30);
    EXPECT_EQ(StressBoost(off), 0);
    EXPECT_EQ(TempoBpm(off), 40);
}

} // namespace
} // namespace kvat
