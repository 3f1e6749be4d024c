// What playback's timing rests on: how long a MIDI file plays, the marker's timer period and its
// walk over the score, the SoundFont search, and the synthesizer as a live output.

#include "midi/midi_timing.h"
#include "sound/live_output.h"
#include "sound/marker.h"
#include "sound/sound_font.h"
#include "support/sound_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kvat {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file around hand-written track chunks (each under 256 bytes).
Bytes MidiFile(std::vector<Bytes> tracks, int division = 96) {
    const auto byte = [](std::size_t value) { return static_cast<std::uint8_t>(value); };
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, byte(tracks.size())};
    file.insert(file.end(), {byte(division >> 8), byte(division & 0xFF)});
    for (auto track : tracks) {
        track.insert(track.end(), {0, 0xFF, 0x2F, 0});
        file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, 0, byte(track.size())});
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}

TEST(MidiTiming, ReadsOurFilesAndOtherWritersAndRejectsBrokenOnes) {
    // At 108 per minute a stressed note and a rest last a dotted eighth, a plain note an
    // eighth: 72 + 48 + 72 ticks, two quarters of 555 555 µs.
    const auto ours = ReadMidiTiming(ArrangeMelody({{"60+", "62", "0"}}, SoundSettings{}));
    ASSERT_TRUE(ours);
    EXPECT_EQ(ours->lengthTicks, 192);
    EXPECT_EQ(LengthMs(*ours), 1111);

    // Running status in one track, a longer second track (delta 480), no tempo: 120 per minute.
    const Bytes running = {0, 0x90, 60, 100, 96, 60, 0, 96, 62, 100};
    const auto theirs = ReadMidiTiming(MidiFile({running, {0, 0xC0, 5, 0x83, 0x60, 0x80, 60, 0}}));
    ASSERT_TRUE(theirs);
    EXPECT_EQ(theirs->lengthTicks, 480);
    EXPECT_EQ(LengthMs(*theirs), 2500);

    const Bytes good = MidiFile({running});
    const std::pair<const char*, Bytes> broken[] = {
        {"empty", {}},
        {"cut in the header", Bytes(good.begin(), good.begin() + 10)},
        {"cut in a track", Bytes(good.begin(), good.end() - 6)},
        {"frames, not beats", MidiFile({running}, 0xE728)},
        {"data before any status", MidiFile({{0, 60, 100}})},
        {"a delta of five bytes", MidiFile({{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1}})},
    };
    for (const auto& [name, bytes] : broken) EXPECT_FALSE(ReadMidiTiming(bytes)) << name;
}

TEST(MarkerInterval, SpreadsTheLengthOverTheColumns) {
    const struct {
        std::optional<int> length;
        int maximum;
        std::optional<int> interval;
    } cases[] = {
        {60'000, 40, 1490},     {1031, 2, 506},      // 505.5 rounds up
        {std::nullopt, 40, {}}, {60'000, 0, {}},     // no length read; no columns
        {400, 40, {}},          {200, 40, {}},       // 0 ms, and below
        {2'621'800, 40, 65535}, {2'622'000, 40, {}}, // the timer's longest, and past it
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkerInterval(c.length, c.maximum), c.interval) << c.length.value_or(-1);
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
            // The lamp shows the note under the marker.
            EXPECT_EQ(step.lampIndex, std::min(tick, maximum - 1)) << maximum << ":" << tick;
            EXPECT_EQ(step.atEnd, tick == maximum);
        }
    }
}

TEST(SoundFontSearch, TheChoiceFirstThenTheFirstPlaceHoldingASoundFont) {
    const auto file = [](const char* name, const char* form) {
        const auto path = test::SoundTestFolder() / name;
        std::ofstream(path) << std::string("RIFF\x10\0\0\0", 8) << form << "LIST";
        return path.string();
    };
    const std::string a = file("a.sf2", "sfbk"), b = file("b.sf3", "sfbk");
    const std::string wave = file("wave.sf2", "WAVE"), missing = a + ".missing";
    const std::vector<std::string_view> places = {missing, wave, b, a};
    EXPECT_EQ(FindSoundFont(a, places), a);
    EXPECT_EQ(FindSoundFont(wave, places), b);
    EXPECT_EQ(FindSoundFont("", std::span(places).first(2)), std::nullopt);
}

TEST(LiveOutputs, TheSynthesizerComesFirstAndSoundsTheMessages) {
    const auto devices = ListMidiDevices(); // no sequencer here: nothing may be thrown
    ASSERT_FALSE(devices.empty());
    EXPECT_EQ(devices[0], kSynthesizerDeviceName);
    for (int device : {static_cast<int>(devices.size()), -1, 0})
        EXPECT_EQ(OpenLiveOutput(device, ReadyEngine(nullptr)), nullptr) << device;

    auto engine = std::shared_ptr<FluidEngine>(FluidEngine::Create(FindSoundFont(), AudioOutput::None));
    auto output = OpenLiveOutput(0, ReadyEngine(engine));
    ASSERT_NE(output, nullptr);
    output->Send({midi::kProgramChange, 40, 0});
    output->Send({midi::kNoteOn, 60, 127});
    EXPECT_GT(test::RenderMs(*engine, 300), 0.01f);
    output->Send({midi::kNoteOff, 60, 0});
    test::RenderMs(*engine, 1500);
    EXPECT_LT(test::RenderMs(*engine, 100), 1e-3f);
}

} // namespace
} // namespace kvat
