// Playback as the play, pause and stop buttons drive it: the file, the sequencer, the timer and
// the marker, with a clock-only sequencer whose time the tests move by hand.

#include "app/playback/playback.h"
#include "midi/midi_timing.h"
#include "sound/dummy_sequencer.h"
#include "sound/marker.h"
#include "support/sound_support.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <fstream>

namespace kvat {
namespace {

namespace fs = std::filesystem;
using State = PlaybackController::State;
using test::Eighths;

class Playback : public testing::Test {
protected:
    void SetUp() override {
        const auto root =
            test::SoundTestFolder() / testing::UnitTest::GetInstance()->current_test_info()->name();
        folders_ = {root / "private" / "work", root / "program"};
        controller_.emplace(sequencer_, folders_);
        controller_->SetScrollMaximum(20);
    }
    void Play(const std::vector<std::string>& tokens = Eighths(20), SoundSettings settings = {}) {
        controller_->Play(tokens, settings);
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) controller_->Tick();
    }
    auto Played() { return ReadFileBytes(controller_->filePath()); }

    PlaybackFolders folders_;
    std::int64_t now_ = 1'000'000;
    DummySequencer sequencer_{[this] { return now_; }};
    std::optional<PlaybackController> controller_;
};

TEST_F(Playback, AFreshPlayWritesTheMelodyPrivatelyPlaysItAndStartsTheMarker) {
    QSignalSpy marker(&*controller_, &PlaybackController::markerMoved);
    SoundSettings allegro;
    allegro.tempo = 9; // 120 per minute: 20 eighths last 5 s
    Play(Eighths(20), allegro);
    EXPECT_EQ(controller_->state(), State::Playing);
    EXPECT_EQ(sequencer_.OpenedFile(), folders_.work / "file.mid");
    EXPECT_EQ(sequencer_.LengthMs(), 5000);
    EXPECT_EQ(fs::status(folders_.work).permissions() & fs::perms::all, fs::perms::owner_all);
    ASSERT_EQ(marker.count(), 1);
    EXPECT_EQ(marker[0][0].toInt(), kMarkerStartTwips);
    EXPECT_EQ(controller_->timerInterval(), 240); // 5000 ms over 20 columns, less 10
    EXPECT_TRUE(controller_->timerActive());
}

TEST_F(Playback, PauseKeepsThePlaceAndPlayResumesThereWithoutWritingAgain) {
    Play();
    Ticks(3);
    now_ += 1200;
    controller_->Pause();
    EXPECT_FALSE(controller_->timerActive());
    fs::remove(controller_->filePath());
    now_ += 60'000;
    controller_->SetScrollValue(0); // the user looks back at the start meanwhile
    Play(Eighths(3)); // a resumption arranges nothing, whatever the melody now is
    EXPECT_FALSE(fs::exists(controller_->filePath()));
    EXPECT_EQ(sequencer_.LengthMs(), 5555);
    now_ += 300;
    EXPECT_EQ(sequencer_.PositionMs(), 1500);
    EXPECT_EQ(controller_->scrollValue(), 2);
    EXPECT_EQ(controller_->markerX(), kMarkerStartTwips + 3 * kColumnTwips);
    EXPECT_TRUE(controller_->timerActive());
}

TEST_F(Playback, StopDeletesTheFileKeepingACopyOnlyWhenAsked) {
    for (bool keep : {true, false}) {
        fs::remove_all(folders_.copy);
        controller_->SetKeepCopy(keep);
        Play();
        const auto played = Played();
        Ticks(4);
        QSignalSpy stopped(&*controller_, &PlaybackController::stopped);
        controller_->Stop();
        EXPECT_EQ(sequencer_.State(), SequencerState::Closed);
        EXPECT_FALSE(fs::exists(controller_->filePath()));
        EXPECT_EQ(ReadFileBytes(controller_->copyPath()), keep ? played : std::nullopt);
        EXPECT_EQ(stopped.count(), 1);
        EXPECT_EQ(controller_->scrollValue(), 0);
    }
}

TEST_F(Playback, AFreshPlayRetiresTheEarlierFileAndStartsFromTheBeginning) {
    Play(Eighths(3));
    const auto first = Played();
    Play(); // the copy holds the earlier play's file, the sequencer the new one
    EXPECT_EQ(ReadFileBytes(controller_->copyPath()), first);
    EXPECT_EQ(sequencer_.LengthMs(), 5555);
    Ticks(5);
    now_ += 1500;
    controller_->Pause();
    controller_->Stop(); // while paused: the next play is a fresh one
    Play();
    EXPECT_EQ(controller_->markerX(), kMarkerStartTwips);
    EXPECT_EQ(sequencer_.PositionMs(), 0);
}

TEST_F(Playback, TheMarkerReachingTheLastColumnStopsPlayback) {
    controller_->SetScrollMaximum(5);
    Play();
    QSignalSpy cleared(&*controller_, &PlaybackController::lampCleared);
    int ticks = 0;
    for (; controller_->state() == State::Playing && ticks < 100; ++ticks) controller_->Tick();
    EXPECT_EQ(ticks, 5); // though the sequencer has not ended
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_FALSE(controller_->timerActive());
    EXPECT_FALSE(fs::exists(controller_->filePath()));
}

TEST_F(Playback, TheTimerKeepsItsPeriodWhenTheRuleGivesNone) {
    controller_->SetScrollMaximum(0); // no period set yet: no ticks at all
    Play();
    EXPECT_FALSE(controller_->timerActive());
    controller_->SetScrollMaximum(20);
    Play();
    EXPECT_EQ(controller_->timerInterval(), 268); // 5555 / 20 - 10
    // The file cannot be written now: nothing opens, the length read before serves over the
    // score's new width, and the marker still runs.
    controller_->Stop();
    fs::remove_all(folders_.work);
    std::ofstream(folders_.work) << "in the way";
    controller_->SetScrollMaximum(10);
    Play();
    EXPECT_EQ(sequencer_.State(), SequencerState::Closed);
    EXPECT_EQ(controller_->timerInterval(), 546);
    EXPECT_TRUE(controller_->timerActive());
}

TEST_F(Playback, TheTimerDrivesTheMarkerToTheEnd) {
    DummySequencer realTime;
    PlaybackController controller(realTime, folders_);
    controller.SetScrollMaximum(3);
    QSignalSpy stopped(&controller, &PlaybackController::lampCleared);
    controller.Play(Eighths(3), SoundSettings{}); // three ticks of 268 ms
    ASSERT_TRUE(stopped.wait(10'000));
    EXPECT_EQ(controller.state(), State::Stopped);
}

TEST(PlaybackFolders, TheWorkFolderIsNeverTheSharedTemporaryFolder) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const auto work = DefaultPlaybackFolders().work.string();
    if (!runtime.isNull()) qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_FALSE(work.empty());
    EXPECT_NE(work.rfind(fs::temp_directory_path().string(), 0), 0u) << work;
    // The test program's folder is writable, so it receives the copies.
    EXPECT_EQ(DefaultPlaybackFolders().copy, QCoreApplication::applicationDirPath().toStdString());
}

} // namespace
} // namespace kvat
