// Playback as the play, pause and stop buttons drive it: the file, the sequencer, the timer and
// the marker, with a clock-only sequencer whose time the tests move by hand; and the speaker
// buttons' previews heard through a recording output.

#include "app/playback/playback.h"
#include "app/playback/preview.h"
#include "midi/midi_timing.h"
#include "piece/piece_files.h"
#include "sound/dummy_sequencer.h"
#include "support/recording_output.h"
#include "support/sound_support.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <array>

namespace kvat {
namespace {

namespace fs = std::filesystem;
using test::Eighths;

class Playback : public testing::Test {
protected:
    void Play(const std::vector<std::string>& tokens = Eighths(20)) {
        playback_.Play(PieceOfTokens(tokens));
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) playback_.Tick();
    }
    fs::path root_ =
        test::SoundTestFolder() / testing::UnitTest::GetInstance()->current_test_info()->name();
    PlaybackFolders folders_{root_ / "private" / "work", root_ / "program"};
    std::int64_t now_ = 1'000'000;
    DummySequencer sequencer_{[this] { return now_; }};
    PlaybackController playback_{sequencer_, folders_};
    QSignalSpy stopped_{&playback_, &PlaybackController::stopped};
};

TEST_F(Playback, PlayWritesPrivatelyPauseKeepsThePlaceAndPlayResumesThereAsItWas) {
    playback_.SetScrollMaximum(20);
    Play();
    EXPECT_TRUE(sequencer_.OpenedFile() == folders_.work / "file.mid" &&
                (fs::status(folders_.work).permissions() & fs::perms::all) == fs::perms::owner_all);
    EXPECT_TRUE(playback_.timerActive() && playback_.timerInterval() == 268); // 5555 / 20 - 10
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
    EXPECT_TRUE(playback_.scrollValue() == 2 && playback_.timerActive());
    EXPECT_EQ(playback_.markerX(), kMarkerStartTwips + 3 * kColumnTwips);
    playback_.Pause();
    playback_.Stop(); // while paused: the next play is a fresh one
    Play();
    EXPECT_TRUE(playback_.markerX() == kMarkerStartTwips && sequencer_.PositionMs() == 0);
}

TEST_F(Playback, StopOrTheLastColumnDeletesTheFileKeepingACopyOnlyWhenAsked) {
    for (bool keep : {true, false}) {
        fs::remove_all(folders_.copy);
        playback_.SetKeepCopy(keep);
        playback_.SetScrollMaximum(5);
        Play();
        const auto played = ReadFileBytes(playback_.filePath());
        Ticks(keep ? 5 : 1); // the marker reaches the last column though the sequencer plays on
        if (!keep) playback_.Stop();
        EXPECT_TRUE(playback_.state() == PlaybackController::State::kStopped &&
                    !playback_.timerActive());
        EXPECT_TRUE(sequencer_.State() == SequencerState::kClosed &&
                    !fs::exists(playback_.filePath()));
        EXPECT_EQ(ReadFileBytes(playback_.copyPath()), keep ? played : std::nullopt);
    }
    EXPECT_EQ(stopped_.count(), 2);
}

// A song's notes are of many lengths: the marker waits for each next one to start, wherever
// the sequencer is.
TEST_F(Playback, UnderTheSongTheMarkerStepsAsTheNotesStart) {
    PieceSettings settings;
    settings.melody.method = Method::kSong;
    const Piece song =
        BuildPiece(SetUpVerse({U"Мой дядя самых честных правил,", U"Когда не в шутку занемог,"},
                              StressMode::kRule, {}),
                   settings);
    const auto timing = ReadMidiTiming(PieceMidi(song)).value();
    playback_.SetScrollMaximum(static_cast<int>(song.notes.size()));
    const std::int64_t start = now_;
    playback_.Play(song);
    for (std::size_t k = 0; k + 2 < song.notes.size(); ++k) {
        const auto ms = [&](std::size_t i) { return TicksToMs(timing, song.notes[i].start); };
        now_ = start + ms(k + 1) - 3; // the timer fired a little early
        playback_.Tick();
        EXPECT_EQ(playback_.timerInterval(), std::max<std::int64_t>(1, ms(k + 2) - ms(k + 1) + 3))
            << k;
    }
}

constexpr int kVoiceRate = 22050; // test::RecordingVoice's

TEST_F(Playback, TheVoiceSingsFromWhereTheSequencerPlaysAndFallsSilentWithIt) {
    std::vector<test::SungCall> sung;
    playback_.SetVoiceOutput(test::RecordingVoice(sung));
    playback_.SetScrollMaximum(8);
    Piece piece = PieceOfTokens({"60", "62", "64", "0", "65", "67", "69", "0"});
    piece.settings.sound.singing = true;
    piece.words.lyrics.assign(8, "ла");
    playback_.Play(piece);
    now_ += 700;
    playback_.Pause();
    playback_.Play(piece);        // resumed at 0.7 s
    playback_.PlayFrom(piece, 4); // the second line, at tick 216: 1.25 s
    playback_.Stop();
    piece.settings.sound.singing = false;
    playback_.Play(piece);
    // Sung, silenced by the pause, resumed, silenced and sung afresh, silenced by the stop.
    ASSERT_EQ(sung.size(), 6U);
    for (int k : {1, 3, 5}) EXPECT_FALSE(sung[k].track) << k;
    const std::int64_t ticks = 2 * kVoiceRate * 60 / 108 / 96; // frames: the ms rounded twice
    const std::pair<int, double> starts[] = {{0, 0}, {2, 0.7}, {4, 1.25}};
    for (const auto& [k, seconds] : starts) {
        ASSERT_TRUE(sung[k].track) << k;
        EXPECT_NEAR(sung[k].from, seconds * kVoiceRate, ticks) << k;
        EXPECT_TRUE(test::Sounds(*sung[k].track, sung[k].from)) << k;
    }
    // A fresh start sings the phrase sounding there before the play starts.
    for (int k : {0, 4}) EXPECT_GT(sung[k].ready, sung[k].from + kVoiceRate / 4) << k;
    EXPECT_TRUE(sung[2].track == sung[0].track && sung[4].track != sung[0].track);
}

constexpr int kShortHoldMs = 40;

// What the output hears of one preview: opened, program, note on, note off, closed.
test::OutputLog Note(int c, int program, int key) {
    using Kind = test::OutputEvent::Kind;
    test::OutputLog log = {{Kind::kOpened, 0, {}}};
    for (auto [s, a, b] : {std::array{0xC0, program, 0}, {0x90, key, 127}, {0x80, key, 0}})
        log.push_back({Kind::kMessage, 0, {std::uint8_t(s | c), std::uint8_t(a), std::uint8_t(b)}});
    log.push_back({Kind::kClosed, 0, {}});
    return log;
}

class PreviewTest : public testing::Test {
protected:
    std::shared_ptr<test::OutputLog> log_ = std::make_shared<test::OutputLog>();
    Preview preview_{
        [this](int device) { return std::make_unique<test::RecordingOutput>(device, log_); },
        nullptr, kShortHoldMs};
    QSignalSpy finished_{&preview_, &Preview::finished};
};

TEST_F(PreviewTest, EachSpeakerSoundsItsChoiceForItsHoldThenReleasesIt) {
    SoundSettings settings;
    settings.mezzo.program = 41;
    settings.lastDrumKey = 81; // Open Triangle
    const std::pair<int, test::OutputLog> cases[] = {{0, Note(0, 2, 60)},   {1, Note(0, 41, 60)},
                                                     {3, Note(0, 8, 60)},   {5, Note(9, 101, 45)},
                                                     {6, Note(9, 101, 81)}, {7, Note(0, 89, 60)}};
    for (const auto& [k, expected] : cases) {
        log_->clear();
        ASSERT_TRUE(preview_.PlaySpeaker(k, settings));
        ASSERT_TRUE(finished_.wait(5000)); // the hold passes, the note is released
        EXPECT_EQ(*log_, expected) << k;
    }
    preview_.PreviewInstrument(0);
    preview_.CloseOutput(); // the stop button silences a note still held
    EXPECT_EQ(log_->back().kind, test::OutputEvent::Kind::kClosed);
    EXPECT_FALSE(finished_.wait(3 * kShortHoldMs));
    for (int k : {8, -1}) EXPECT_FALSE(preview_.PlaySpeaker(k, settings)) << k; // no speaker
    // The voice's speaker sings a syllable for the hold, then falls silent.
    std::vector<test::SungCall> sung;
    preview_.SetVoiceOutput(test::RecordingVoice(sung));
    ASSERT_TRUE(preview_.PlaySpeaker(4, settings) && finished_.wait(5000));
    ASSERT_TRUE(sung.size() == 2 && sung[0].track && !sung[1].track);
    EXPECT_TRUE(test::Sounds(*sung[0].track));
}

} // namespace
} // namespace kvat
