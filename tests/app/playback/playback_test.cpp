// Playback as the play, pause and stop buttons drive it: the file, the sequencer, the timer and
// the marker, with a clock-only sequencer whose time the tests move by hand; and the speaker
// buttons' previews heard through a recording output.

#include "app/playback/playback.h"
#include "app/playback/preview.h"
#include "midi/midi_timing.h"
#include "sound/dummy_sequencer.h"
#include "support/recording_output.h"
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
    void SetUp() override { playback_.SetScrollMaximum(20); }
    void Play(const std::vector<std::string>& tokens = Eighths(20)) { playback_.Play(tokens, {}); }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) playback_.Tick();
    }

    fs::path root_ =
        test::SoundTestFolder() / testing::UnitTest::GetInstance()->current_test_info()->name();
    PlaybackFolders folders_{root_ / "private" / "work", root_ / "program"};
    std::int64_t now_ = 1'000'000;
    DummySequencer sequencer_{[this] { return now_; }};
    PlaybackController playback_{sequencer_, folders_};
};

TEST_F(Playback, AFreshPlayWritesTheMelodyPrivatelyPlaysItAndStartsTheMarker) {
    QSignalSpy marker(&playback_, &PlaybackController::markerMoved);
    Play();
    EXPECT_EQ(playback_.state(), State::Playing);
    EXPECT_EQ(sequencer_.OpenedFile(), folders_.work / "file.mid");
    EXPECT_EQ(sequencer_.LengthMs(), 5555);
    EXPECT_EQ(fs::status(folders_.work).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(marker.value(0).value(0).toInt(), kMarkerStartTwips);
    EXPECT_EQ(playback_.timerInterval(), 268); // 5555 ms over 20 columns, less 10
    EXPECT_TRUE(playback_.timerActive());
}

TEST_F(Playback, PauseKeepsThePlaceAndPlayResumesThereWithoutWritingAgain) {
    Play();
    Ticks(3);
    now_ += 1200;
    playback_.Pause();
    EXPECT_FALSE(playback_.timerActive());
    fs::remove(playback_.filePath());
    now_ += 60'000;
    playback_.SetScrollValue(0); // the user looks back at the start meanwhile
    Play(Eighths(3));            // a resumption arranges nothing, whatever the melody now is
    EXPECT_FALSE(fs::exists(playback_.filePath()));
    now_ += 300;
    EXPECT_EQ(sequencer_.PositionMs(), 1500);
    EXPECT_EQ(playback_.scrollValue(), 2);
    EXPECT_EQ(playback_.markerX(), kMarkerStartTwips + 3 * kColumnTwips);
    playback_.Pause();
    playback_.Stop(); // while paused: the next play is a fresh one
    Play();
    EXPECT_EQ(playback_.markerX(), kMarkerStartTwips);
    EXPECT_EQ(sequencer_.PositionMs(), 0);
}

TEST_F(Playback, StopDeletesTheFileKeepingACopyOnlyWhenAsked) {
    for (bool keep : {true, false}) {
        fs::remove_all(folders_.copy);
        playback_.SetKeepCopy(keep);
        Play();
        const auto played = ReadFileBytes(playback_.filePath());
        QSignalSpy stopped(&playback_, &PlaybackController::stopped);
        playback_.Stop();
        EXPECT_EQ(sequencer_.State(), SequencerState::Closed);
        EXPECT_FALSE(fs::exists(playback_.filePath()));
        EXPECT_EQ(ReadFileBytes(playback_.copyPath()), keep ? played : std::nullopt);
        EXPECT_EQ(stopped.count(), 1);
    }
}

TEST_F(Playback, TheMarkerReachingTheLastColumnStopsPlayback) {
    playback_.SetScrollMaximum(5);
    Play();
    QSignalSpy cleared(&playback_, &PlaybackController::lampCleared);
    int ticks = 0;
    for (; playback_.state() == State::Playing && ticks < 100; ++ticks) playback_.Tick();
    EXPECT_EQ(ticks, 5); // though the sequencer has not ended
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_FALSE(playback_.timerActive());
}

TEST_F(Playback, TheTimerKeepsItsPeriodWhenTheRuleGivesNone) {
    playback_.SetScrollMaximum(0); // no period set yet: no ticks at all
    Play();
    EXPECT_FALSE(playback_.timerActive());
    playback_.SetScrollMaximum(20);
    Play();
    // The file cannot be written now: nothing opens, the length read before serves over the
    // score's new width, and the marker still runs.
    playback_.Stop();
    fs::remove_all(folders_.work);
    std::ofstream(folders_.work) << "in the way";
    playback_.SetScrollMaximum(10);
    Play();
    EXPECT_EQ(sequencer_.State(), SequencerState::Closed);
    EXPECT_EQ(playback_.timerInterval(), 546);
    EXPECT_TRUE(playback_.timerActive());
}

TEST_F(Playback, TheTimerDrivesTheMarkerToTheEnd) {
    DummySequencer realTime;
    PlaybackController playback(realTime, folders_);
    playback.SetScrollMaximum(3);
    QSignalSpy stopped(&playback, &PlaybackController::lampCleared);
    playback.Play(Eighths(3), SoundSettings{}); // three ticks of 268 ms
    EXPECT_TRUE(stopped.wait(10'000));
}

TEST(PlaybackFolders, TheWorkFolderIsNeverTheSharedTemporaryFolder) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const auto work = DefaultPlaybackFolders().work.string();
    if (!runtime.isNull()) qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_NE(work.rfind(fs::temp_directory_path().string(), 0), 0u) << work;
    // The test program's folder is writable, so it receives the copies.
    EXPECT_EQ(DefaultPlaybackFolders().copy, QCoreApplication::applicationDirPath().toStdString());
}

using test::OutputEvent;
using test::OutputLog;
constexpr int kShortHoldMs = 40;
const OutputEvent kOpened{OutputEvent::Kind::Opened, 0, {}},
    kClosed{OutputEvent::Kind::Closed, 0, {}};

// Program, note on and note off of one preview, as the output receives them.
OutputLog Note(int channel, int program, int key) {
    const auto sent = [](int status, int data1, int data2) {
        return OutputEvent{OutputEvent::Kind::Message,
                           0,
                           {std::uint8_t(status), std::uint8_t(data1), std::uint8_t(data2)}};
    };
    return {kOpened, sent(0xC0 | channel, program, 0), sent(0x90 | channel, key, 127),
            sent(0x80 | channel, key, 0), kClosed};
}

class PreviewTest : public testing::Test {
protected:
    std::shared_ptr<OutputLog> log_ = std::make_shared<OutputLog>();
    Preview preview_{test::RecordingOpener(log_), nullptr, kShortHoldMs};
    QSignalSpy finished_{&preview_, &Preview::finished};
};

TEST_F(PreviewTest, EachSpeakerSoundsItsChoiceForItsHoldThenReleasesIt) {
    SoundSettings settings;
    settings.mezzo.program = 41;
    settings.drumLast = 46; // Open Triangle
    const std::pair<int, OutputLog> cases[] = {{0, Note(0, 2, 60)},   {1, Note(0, 41, 60)},
                                               {3, Note(0, 8, 60)},   {5, Note(9, 101, 45)},
                                               {6, Note(9, 101, 81)}, {7, Note(0, 89, 60)}};
    for (const auto& [k, expected] : cases) {
        log_->clear();
        ASSERT_TRUE(preview_.PlaySpeaker(k, settings));
        ASSERT_TRUE(finished_.wait(5000));
        EXPECT_EQ(*log_, expected) << k;
    }
    log_->clear();
    for (int k : {4, 8, -1}) EXPECT_FALSE(preview_.PlaySpeaker(k, settings)) << k; // no speaker
    EXPECT_TRUE(log_->empty());
}

TEST_F(PreviewTest, ASecondPressCutsTheFirstNoteOffAndHasItsFullHold) {
    preview_.PreviewInstrument(0);
    preview_.PreviewNote(4);
    ASSERT_TRUE(finished_.wait(5000));
    finished_.wait(3 * kShortHoldMs); // a late release of the first press would come now
    EXPECT_EQ(finished_.count(), 1);
    OutputLog both = Note(0, 0, 60);
    for (const auto& event : Note(0, 0, 64)) both.push_back(event);
    EXPECT_EQ(*log_, both);
}

TEST_F(PreviewTest, TheStopButtonClosesTheOutputSilencingIt) {
    preview_.PreviewDrum(10);
    preview_.CloseOutput();
    preview_.CloseOutput();
    EXPECT_EQ(*log_, Note(9, 101, 45));
    EXPECT_FALSE(finished_.wait(3 * kShortHoldMs));
}

} // namespace
} // namespace kvat
