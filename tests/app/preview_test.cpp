// The speaker buttons' previews heard through a recording output, and the live outputs: the
// device list and the synthesizer entry.

#include "app/live_output.h"
#include "app/preview.h"
#include "app/sound_font.h"
#include "sound_support.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kvat {
namespace {

using Kind = OutputEvent::Kind;
constexpr int kShortHoldMs = 40;

const OutputEvent kOpened{Kind::Opened, 0, {}}, kClosed{Kind::Closed, 0, {}};
OutputEvent Sent(int status, int data1, int data2 = 0) {
    return {Kind::Message, 0, {std::uint8_t(status), std::uint8_t(data1), std::uint8_t(data2)}};
}

class PreviewTest : public testing::Test {
protected:
    PreviewTest()
        : preview_([this](int device) { return std::make_unique<RecordingOutput>(device, log_); },
                   nullptr, kShortHoldMs) {}
    std::shared_ptr<OutputLog> log_ = std::make_shared<OutputLog>();
    Preview preview_;
};

TEST_F(PreviewTest, EachSpeakerSoundsItsChoiceForItsHoldThenReleasesIt) {
    SoundSettings settings;
    settings.mezzo.program = 41;
    settings.drumFirst = 0; // Acoustic Bass Drum
    settings.drumLast = 46; // Open Triangle
    struct Case {
        int k;
        OutputEvent program, on, off;
    };
    const Case cases[] = {
        {0, Sent(0xC0, 2), Sent(0x90, 60, 127), Sent(0x80, 60)},
        {1, Sent(0xC0, 41), Sent(0x90, 60, 127), Sent(0x80, 60)},
        {3, Sent(0xC0, 8), Sent(0x90, 60, 127), Sent(0x80, 60)},
        {5, Sent(0xC9, 101), Sent(0x99, 35, 127), Sent(0x89, 35)},
        {6, Sent(0xC9, 101), Sent(0x99, 81, 127), Sent(0x89, 81)},
        {7, Sent(0xC0, 89), Sent(0x90, 60, 127), Sent(0x80, 60)},
    };
    QSignalSpy finished(&preview_, &Preview::finished);
    for (const auto& c : cases) {
        log_->clear();
        ASSERT_TRUE(preview_.PlaySpeaker(c.k, settings));
        ASSERT_TRUE(finished.wait(2000));
        EXPECT_EQ(*log_, (OutputLog{kOpened, c.program, c.on, c.off, kClosed})) << c.k;
    }
    // There is no speaker 4.
    log_->clear();
    for (int k : {4, 8, -1}) EXPECT_FALSE(preview_.PlaySpeaker(k, settings)) << k;
    EXPECT_TRUE(log_->empty());
}

TEST_F(PreviewTest, ASecondPressCutsTheFirstNoteOffAndHasItsFullHold) {
    QSignalSpy finished(&preview_, &Preview::finished);
    preview_.PreviewInstrument(0);
    preview_.PreviewDrum(10);
    ASSERT_TRUE(finished.wait(2000));
    finished.wait(3 * kShortHoldMs); // a late release of the first press would come now
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(*log_,
              (OutputLog{kOpened, Sent(0xC0, 0), Sent(0x90, 60, 127), Sent(0x80, 60), kClosed,
                         kOpened, Sent(0xC9, 101), Sent(0x99, 45, 127), Sent(0x89, 45), kClosed}));
}

TEST_F(PreviewTest, TheStopButtonClosesTheOutputSilencingIt) {
    QSignalSpy finished(&preview_, &Preview::finished);
    preview_.PreviewNote(4);
    preview_.CloseOutput();
    preview_.CloseOutput();
    EXPECT_EQ(*log_,
              (OutputLog{kOpened, Sent(0xC0, 0), Sent(0x90, 64, 127), Sent(0x80, 64), kClosed}));
    EXPECT_FALSE(finished.wait(3 * kShortHoldMs));
}

TEST(Preview, TheHoldIsALittleOverASecondWithOrWithoutAnOutput) {
    Preview preview([](int) { return std::unique_ptr<LiveOutput>(); });
    QSignalSpy finished(&preview, &Preview::finished);
    QElapsedTimer clock;
    clock.start();
    preview.PreviewInstrument(0);
    ASSERT_TRUE(finished.wait(3000));
    EXPECT_GT(clock.elapsed(), 1000);
}

TEST(LiveOutputs, TheSynthesizerComesFirstAndSoundsTheMessages) {
    const auto devices = ListMidiDevices(); // no sequencer here: nothing may be thrown
    ASSERT_FALSE(devices.empty());
    EXPECT_EQ(devices[0], kSynthesizerDeviceName);
    for (int device : {static_cast<int>(devices.size()), -1, 0})
        EXPECT_EQ(OpenLiveOutput(device, ReadyEngine(nullptr)), nullptr) << device;

    auto engine =
        std::shared_ptr<FluidEngine>(FluidEngine::Create(FindSoundFont(), AudioOutput::None));
    auto output = OpenLiveOutput(0, ReadyEngine(engine));
    ASSERT_NE(output, nullptr);
    output->Send({0xC0, 40, 0});
    output->Send({0x90, 60, 127});
    EXPECT_GT(test::RenderMs(*engine, 300), 0.01f);
    output->Send({0x80, 60, 0});
    test::RenderMs(*engine, 1500);
    EXPECT_LT(test::RenderMs(*engine, 100), 1e-3f);
}

} // namespace
} // namespace kvat
