// FluidSynth's file player behind the sequencer interface, its time advanced by rendering
// samples by hand, and the fallback when there is no synthesizer. (The clock-only sequencer
// is driven through the playback tests.)

#include "sound/fluid_sequencer.h"
#include "sound/sound_font.h"
#include "support/sound_support.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

using State = SequencerState;
constexpr int kTwentyEighthsMs = 5555; // 960 ticks at 555 555 µs per 96
constexpr int kSlackMs = 10;           // the player moves in 64-frame blocks and 5.8 ms ticks

class FluidPlayer : public testing::Test {
protected:
    void SetUp() override {
        engine_ = FluidEngine::Create(FindSoundFont(), AudioOutput::None);
        ASSERT_TRUE(engine_ && engine_->HasSoundFont()) << "a General MIDI SoundFont is needed";
        sequencer_.emplace(ReadyEngine(engine_));
        ASSERT_TRUE(sequencer_->Open(test::WriteMelodyFile("twenty.mid", test::Eighths(20))));
    }
    float Render(int ms) { return test::RenderMs(*engine_, ms); }
    int Position() { return sequencer_->PositionMs().value_or(-1); }

    std::shared_ptr<FluidEngine> engine_;
    std::optional<FluidSequencer> sequencer_;
};

TEST_F(FluidPlayer, PauseHoldsThePositionInSilenceAndPlayResumesThere) {
    EXPECT_EQ(sequencer_->LengthMs(), kTwentyEighthsMs);
    sequencer_->Play(0);
    EXPECT_GT(Render(1500), 0.01f);
    sequencer_->Pause();
    const int paused = Position();
    EXPECT_NEAR(paused, 1500, kSlackMs);
    Render(700); // the released note dies away
    EXPECT_LT(Render(300), 1e-3f);
    EXPECT_EQ(Position(), paused);
    EXPECT_EQ(sequencer_->State(), State::Paused);
    sequencer_->Play(paused);
    EXPECT_GT(Render(500), 0.01f);
    EXPECT_NEAR(Position(), paused + 500, kSlackMs);
}

TEST_F(FluidPlayer, PlaysFromAPositionToTheFilesEndFromItsOwnCopy) {
    // Playback copies and deletes the file while the player holds it.
    std::filesystem::remove(test::SoundTestFolder() / "twenty.mid");
    sequencer_->Play(4000); // between notes: the next starts at 4167 ms
    EXPECT_GT(Render(250), 0.01f);
    EXPECT_NEAR(Position(), 4250, kSlackMs);
    Render(1350);
    // FluidSynth runs on for a while after the last event; the file's end is the end.
    EXPECT_EQ(sequencer_->State(), State::Ended);
    EXPECT_EQ(Position(), kTwentyEighthsMs);
}

TEST_F(FluidPlayer, StopAndCloseSilenceAtOnceAndForgetTheFile) {
    SoundSettings sustained;
    sustained.effect = 2; // the sustain pedal, held on every token
    ASSERT_TRUE(sequencer_->Open(test::WriteMelodyFile("pedal.mid", {"60", "64", "67"}, sustained)));
    sequencer_->Play(0);
    Render(300);
    sequencer_->Stop();
    sequencer_->Close();
    EXPECT_EQ(sequencer_->State(), State::Closed);
    EXPECT_EQ(sequencer_->PositionMs(), std::nullopt);
    EXPECT_EQ(sequencer_->LengthMs(), std::nullopt);
    Render(1000);
    EXPECT_LT(Render(200), 1e-3f);
    EXPECT_FALSE(sequencer_->Open(test::SoundTestFolder() / "missing.mid"));
}

TEST(FluidSequencerWithoutEngine, KeepsTimeOnTheClock) {
    FluidSequencer sequencer(ReadyEngine(nullptr));
    ASSERT_TRUE(sequencer.Open(test::WriteMelodyFile("clock.mid", test::Eighths(20))));
    EXPECT_EQ(sequencer.LengthMs(), kTwentyEighthsMs);
    sequencer.Play(1000);
    EXPECT_EQ(sequencer.State(), State::Playing);
    EXPECT_GE(sequencer.PositionMs().value_or(0), 1000);
    sequencer.Pause();
    EXPECT_EQ(sequencer.State(), State::Paused);
}

} // namespace
} // namespace kvat
