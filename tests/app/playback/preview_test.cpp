// The speaker buttons' previews heard through a recording output.

#include "app/playback/preview.h"
#include "support/recording_output.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kvat {
namespace {

using test::OutputEvent;
using test::OutputLog;
constexpr int kShortHoldMs = 40;

const OutputEvent kOpened{OutputEvent::Kind::Opened, 0, {}};
const OutputEvent kClosed{OutputEvent::Kind::Closed, 0, {}};
OutputEvent Sent(int status, int data1, int data2 = 0) {
    return {OutputEvent::Kind::Message, 0,
            {std::uint8_t(status), std::uint8_t(data1), std::uint8_t(data2)}};
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
    settings.drumFirst = 0; // Acoustic Bass Drum
    settings.drumLast = 46; // Open Triangle
    const struct {
        int k;
        OutputEvent program, on, off;
    } cases[] = {
        {0, Sent(0xC0, 2), Sent(0x90, 60, 127), Sent(0x80, 60)},
        {1, Sent(0xC0, 41), Sent(0x90, 60, 127), Sent(0x80, 60)},
        {3, Sent(0xC0, 8), Sent(0x90, 60, 127), Sent(0x80, 60)},
        {5, Sent(0xC9, 101), Sent(0x99, 35, 127), Sent(0x89, 35)},
        {6, Sent(0xC9, 101), Sent(0x99, 81, 127), Sent(0x89, 81)},
        {7, Sent(0xC0, 89), Sent(0x90, 60, 127), Sent(0x80, 60)},
    };
    for (const auto& c : cases) {
        log_->clear();
        ASSERT_TRUE(preview_.PlaySpeaker(c.k, settings));
        ASSERT_TRUE(finished_.wait(5000));
        EXPECT_EQ(*log_, (OutputLog{kOpened, c.program, c.on, c.off, kClosed})) << c.k;
    }
    log_->clear();
    for (int k : {4, 8, -1}) EXPECT_FALSE(preview_.PlaySpeaker(k, settings)) << k; // no speaker
    EXPECT_TRUE(log_->empty());
}

TEST_F(PreviewTest, ASecondPressCutsTheFirstNoteOffAndHasItsFullHold) {
    preview_.PreviewInstrument(0);
    preview_.PreviewDrum(10);
    ASSERT_TRUE(finished_.wait(5000));
    finished_.wait(3 * kShortHoldMs); // a late release of the first press would come now
    EXPECT_EQ(finished_.count(), 1);
    EXPECT_EQ(*log_,
              (OutputLog{kOpened, Sent(0xC0, 0), Sent(0x90, 60, 127), Sent(0x80, 60), kClosed,
                         kOpened, Sent(0xC9, 101), Sent(0x99, 45, 127), Sent(0x89, 45), kClosed}));
}

TEST_F(PreviewTest, TheStopButtonClosesTheOutputSilencingIt) {
    preview_.PreviewNote(4);
    preview_.CloseOutput();
    preview_.CloseOutput();
    EXPECT_EQ(*log_,
              (OutputLog{kOpened, Sent(0xC0, 0), Sent(0x90, 64, 127), Sent(0x80, 64), kClosed}));
    EXPECT_FALSE(finished_.wait(3 * kShortHoldMs));
}

TEST(PreviewWithoutOutput, TheHoldPassesAsItWouldWithSound) {
    Preview preview([](int) { return std::unique_ptr<LiveOutput>(); }, nullptr, kShortHoldMs);
    QSignalSpy finished(&preview, &Preview::finished);
    preview.PreviewInstrument(0);
    EXPECT_TRUE(preview.sounding());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(preview.sounding());
}

} // namespace
} // namespace kvat
