// What playback rests on without Qt: how long a MIDI file plays, the marker's timer period and
// walk, the SoundFont search, and FluidSynth's file player with time advanced by rendering
// samples by hand. (The clock-only sequencer is driven through the playback tests.)

#include "midi/midi_timing.h"
#include "sound/fluid_sequencer.h"
#include "sound/marker.h"
#include "sound/sound_font.h"
#include "support/sound_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kvat {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file around hand-written track chunks (each under 256 bytes), 96 ticks to the quarter.
Bytes MidiFile(std::vector<Bytes> tracks, std::uint8_t divisionHigh = 0) {
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, std::uint8_t(tracks.size())};
    file.insert(file.end(), {divisionHigh, 96});
    for (auto track : tracks) {
        track.insert(track.end(), {0, 0xFF, 0x2F, 0});
        file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, 0, std::uint8_t(track.size())});
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}

TEST(MidiTiming, ReadsOtherWritersFilesAndRejectsBrokenOnes) {
    // Running status in one track, a longer second track (delta 480), no tempo: 120 per minute.
    const Bytes running = {0, 0x90, 60, 100, 96, 60, 0, 96, 62, 100};
    const auto timing = ReadMidiTiming(MidiFile({running, {0, 0xC0, 5, 0x83, 0x60, 0x80, 60, 0}}));
    EXPECT_EQ(timing ? LengthMs(*timing) : -1, 2500);
    const Bytes good = MidiFile({running});
    const std::pair<const char*, Bytes> broken[] = {
        {"empty", {}},
        {"cut in the header", Bytes(good.begin(), good.begin() + 10)},
        {"cut in a track", Bytes(good.begin(), good.end() - 6)},
        {"frames, not beats", MidiFile({running}, 0xE7)},
        {"data before any status", MidiFile({{0, 60, 100}})},
        {"a delta of five bytes", MidiFile({{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1}})},
    };
    for (const auto& [name, bytes] : broken) EXPECT_FALSE(ReadMidiTiming(bytes)) << name;
}

TEST(MarkerInterval, SpreadsTheLengthOverTheColumns) {
    const std::tuple<std::optional<int>, int, std::optional<int>> cases[] = {
        {60'000, 40, 1490},     {1031, 2, 506},      // 505.5 rounds up
        {std::nullopt, 40, {}}, {60'000, 0, {}},     // no length read; no columns
        {400, 40, {}},          {200, 40, {}},       // 0 ms, and below
        {2'621'800, 40, 65535}, {2'622'000, 40, {}}, // the timer's longest, and past it
    };
    for (const auto& [length, maximum, interval] : cases)
        EXPECT_EQ(MarkerInterval(length, maximum), interval) << length.value_or(-1);
}

TEST(MarkerWalk, OneColumnPerTickTheScoreFollowingFromTheMiddleToTheLastColumn) {
    for (int maximum : {1, 3, 20}) {
        MarkerStep step{kMarkerStartTwips, 0, 0, false};
        for (int tick = 1; !step.atEnd; ++tick) {
            ASSERT_LE(tick, maximum) << "the run ends on the tick that reaches the last note";
            step = AdvanceMarker(step.markerX, step.scrollValue, maximum);
            EXPECT_EQ(step.markerX, kMarkerStartTwips + kColumnTwips * tick);
            // 1850 twips is left of the viewport's middle (2107.5); from 2650 on the score moves.
            EXPECT_EQ(step.scrollValue, std::min(tick - 1, maximum));
            EXPECT_EQ(step.lampIndex, std::min(tick, maximum - 1)); // the note under the marker
            EXPECT_EQ(step.atEnd, tick == maximum);
        }
    }
}

TEST(SoundFontSearch, TheChoiceFirstThenTheFirstPlaceHoldingASoundFont) {
    const auto file = [](const char* name, const char* form) {
        std::ofstream(test::SoundTestFolder() / name) << std::string("RIFF\x10\0\0\0", 8) << form;
        return (test::SoundTestFolder() / name).string();
    };
    const std::string a = file("a.sf2", "sfbk"), b = file("b.sf3", "sfbk");
    const std::vector<std::string_view> places = {a + ".missing", file("wave.sf2", "WAVE"), b, a};
    EXPECT_EQ(FindSoundFont(a, places), a);
    EXPECT_EQ(FindSoundFont(places[1], places), b);
    EXPECT_EQ(FindSoundFont("", std::span(places).first(2)), std::nullopt);
}

constexpr int kTwentyEighthsMs = 5555; // 960 ticks at 555 555 µs per 96
constexpr int kSlackMs = 10;           // the player moves in 64-frame blocks and 5.8 ms ticks

class FluidPlayer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(engine_ && engine_->HasSoundFont()) << "a General MIDI SoundFont is needed";
        ASSERT_TRUE(player_.Open(test::WriteMelodyFile("twenty.mid", test::Eighths(20))));
    }
    float Render(int ms) { return test::RenderMs(*engine_, ms); }
    int Position() { return player_.PositionMs().value_or(-1); }

    std::shared_ptr<FluidEngine> engine_ = FluidEngine::Create(FindSoundFont(), AudioOutput::None);
    FluidSequencer player_{ReadyEngine(engine_)};
};

TEST_F(FluidPlayer, PauseHoldsThePlaceInSilenceAndPlayResumesThereToTheFilesEnd) {
    EXPECT_EQ(player_.LengthMs(), kTwentyEighthsMs);
    std::filesystem::remove(test::SoundTestFolder() / "twenty.mid"); // the player keeps a copy
    player_.Play(2500);
    EXPECT_GT(Render(1500), 0.01f);
    player_.Pause();
    EXPECT_NEAR(Position(), 4000, kSlackMs);
    Render(700); // the released note dies away
    EXPECT_LT(Render(300), 1e-3f);
    EXPECT_EQ(player_.State(), SequencerState::Paused);
    player_.Play(Position());
    EXPECT_GT(Render(250), 0.01f); // between notes: the next starts at 4167 ms
    Render(1350);
    // FluidSynth runs on for a while after the last event; the file's end is the end.
    EXPECT_EQ(player_.State(), SequencerState::Ended);
    EXPECT_EQ(Position(), kTwentyEighthsMs);
}

TEST_F(FluidPlayer, StopSilencesAtOnceEvenUnderTheSustainPedalAndCloseForgetsTheFile) {
    SoundSettings pedal;
    pedal.effect = 2; // the sustain pedal, held on every token
    ASSERT_TRUE(player_.Open(test::WriteMelodyFile("pedal.mid", {"60", "64", "67"}, pedal)));
    player_.Play(0);
    Render(300);
    player_.Stop();
    player_.Close();
    EXPECT_EQ(player_.State(), SequencerState::Closed);
    EXPECT_EQ(player_.LengthMs(), std::nullopt);
    Render(1000);
    EXPECT_LT(Render(200), 1e-3f);
    EXPECT_FALSE(player_.Open(test::SoundTestFolder() / "missing.mid"));
}

} // namespace
} // namespace kvat
