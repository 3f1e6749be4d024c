#pragma once
// A silent sequencer that only keeps time: the marker runs as if the file were sounding. It
// stands in where no synthesizer can be made, and lets tests drive time by hand.

#include "midi/midi_timing.h"
#include "sound/sequencer.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace kvat {

// Milliseconds from any fixed origin.
using MsClock = std::function<std::int64_t()>;
MsClock SteadyClock();

class DummySequencer : public Sequencer {
public:
    explicit DummySequencer(MsClock clock = SteadyClock());

    bool Open(const std::filesystem::path& file) override;
    void Play(int fromMs) override;
    void Pause() override;
    void Stop() override;
    void Close() override;
    SequencerState State() override;
    std::optional<int> PositionMs() override;
    std::optional<int> LengthMs() const override;

    // The file last opened, for tests that check what playback handed over.
    const std::filesystem::path& OpenedFile() const { return file_; }

private:
    void Halt(SequencerState next);

    MsClock clock_;
    std::filesystem::path file_;
    SequencerState state_ = SequencerState::kClosed;
    std::int64_t lengthMs_ = 0;
    std::int64_t heldMs_ = 0;   // the position while not playing
    std::int64_t originMs_ = 0; // clock reading at position 0 while playing
};

} // namespace kvat
