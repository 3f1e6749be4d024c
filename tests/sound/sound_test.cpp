// What playback rests on without Qt: how long a MIDI file plays, and FluidSynth's file player with
// time advanced by rendering samples by hand. (The clock-only sequencer and the marker's walk
// are driven through the playback tests.)

#include "midi/midi_timing.h"
#include "sound/fluid_sequencer.h"
#include "sound/marker.h"
#include "sound/sound_font.h"
#include "support/sound_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <fstream>
#include <thread>

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

// The marker walks to the middle of the score's view, however wide the window made it, and
// then the score scrolls under it.
TEST(Marker, StopsAtTheMiddleOfTheViewAndTheScoreScrollsOn) {
    for (const int viewport : {kViewportTwips, 2 * kViewportTwips, 4 * kViewportTwips}) {
        int x = kMarkerStartTwips, scroll = 0, ticks = 0;
        for (; scroll == 0 && ticks < 100; ++ticks) {
            const MarkerStep step = AdvanceMarker(x, scroll, 1000, viewport);
            x = step.markerX;
            scroll = step.scrollValue;
        }
        EXPECT_GT(2 * x, viewport) << viewport;
        EXPECT_LE(2 * (x - kColumnTwips), viewport) << viewport;
    }
}

TEST(MidiTiming, ReadsOtherWritersFilesAndRejectsBrokenOnes) {
    // Running status in one track, a longer second track (delta 480), no tempo: 120 per minute.
    const Bytes running = {0, 0x90, 60, 100, 96, 60, 0, 96, 62, 100};
    EXPECT_EQ(LengthMs(*ReadMidiTiming(MidiFile({running, {0, 0xC0, 5, 0x83, 0x60, 0x80, 60, 0}}))),
              2500);
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

// A window closed while its SoundFont still loads ends at once: nothing waits for the load. The
// SoundFont here is a FIFO, whose load stands still until the test lets it go on; a drop that
// waited for it would be let go only when the helper gives up after ten seconds.
TEST(FluidEngine, ALoadStillGoingOnHoldsNothingUp) {
    const auto fifo = test::SoundTestFolder() / "slow.sf2";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    using namespace std::chrono_literals;
    std::atomic<bool> dropped = false, gaveUp = false;
    std::thread release([&] {
        for (int i = 0; i < 1000 && !dropped; ++i) std::this_thread::sleep_for(10ms);
        gaveUp = !dropped, std::ofstream(fifo) << "no SoundFont";
    });
    StartEngine(fifo, AudioOutput::kNone), dropped = true; // the future dropped at once
    release.join();
    EXPECT_FALSE(gaveUp);
}

constexpr int kTwentyEighthsMs = 5555; // 960 ticks at 555 555 µs per 96
constexpr int kSlackMs = 10;           // the player moves in 64-frame blocks and 5.8 ms ticks

TEST(FluidPlayer, PauseHoldsThePlaceInSilenceAndPlayResumesThereToTheFilesEnd) {
    const std::shared_ptr engine = FluidEngine::Create(FindSoundFont(), AudioOutput::kNone);
    ASSERT_TRUE(engine && engine->HasSoundFont()) << "a General MIDI SoundFont is needed";
    FluidSequencer player(ReadyEngine(engine));
    ASSERT_TRUE(player.Open(test::WriteMelodyFile("twenty.mid", test::Eighths(20))));
    const auto Render = [&](int ms) { return test::RenderMs(*engine, ms); };
    const auto Position = [&] { return player.PositionMs().value_or(-1); };
    EXPECT_EQ(player.LengthMs(), kTwentyEighthsMs);
    std::filesystem::remove(test::SoundTestFolder() / "twenty.mid"); // the player keeps a copy
    player.Play(2500);
    EXPECT_GT(Render(1500), 0.01f);
    player.Pause();
    EXPECT_NEAR(Position(), 4000, kSlackMs);
    Render(700); // the released note dies away
    EXPECT_LT(Render(300), 1e-3f);
    EXPECT_EQ(player.State(), SequencerState::kPaused);
    player.Play(Position());
    EXPECT_GT(Render(250), 0.01f); // between notes: the next starts at 4167 ms
    Render(1350);
    // FluidSynth runs on for a while after the last event; the file's end is the end.
    EXPECT_EQ(player.State(), SequencerState::kEnded);
    EXPECT_EQ(Position(), kTwentyEighthsMs);
}

// Without a sound card the engine's own clock renders, and moves the player on; a player closed
// at any moment of it goes without the clock reading what it freed (which ASan would catch).
TEST(FluidPlayer, OnTheDevicesClockPlaysAndClosesAtAnyMoment) {
    const std::shared_ptr engine = FluidEngine::Create(FindSoundFont(), AudioOutput::kDevice);
    ASSERT_TRUE(engine && engine->HasSoundFont()) << "a General MIDI SoundFont is needed";
    FluidSequencer player(ReadyEngine(engine));
    const auto file = test::WriteMelodyFile("twenty.mid", test::Eighths(20));
    for (int i = 0; i < 300 && player.PositionMs().value_or(0) == 0; ++i) {
        ASSERT_TRUE(player.Open(file));
        player.Play(0);
        std::this_thread::sleep_for(std::chrono::microseconds(i * 37 % 9000));
    }
    EXPECT_GT(player.PositionMs().value_or(0), 0);
}

} // namespace
} // namespace kvat
