#pragma once
// The sequencer that sounds: FluidSynth's file player on the shared engine. Where no engine
// could be made it keeps time silently, so the marker still runs.

#include "midi/midi_timing.h"
#include "sound/dummy_sequencer.h"
#include "sound/fluid_engine.h"
#include "sound/sequencer.h"

#include <memory>
#include <optional>

struct _fluid_player_t;

namespace kvat {

class FluidSequencer : public Sequencer {
public:
    // The engine may still be loading; the first operation that needs it waits for it.
    explicit FluidSequencer(EngineFuture engine);
    ~FluidSequencer() override;

    bool Open(const std::filesystem::path& file) override;
    void Play(int fromMs) override;
    void Pause() override;
    void Stop() override;
    void Close() override;
    SequencerState State() override;
    std::optional<int> PositionMs() override;
    std::optional<int> LengthMs() const override;

private:
    struct PlayerDeleter {
        void operator()(_fluid_player_t* player) const;
    };
    FluidEngine* Engine() const;
    void Halt(SequencerState next);

    EngineFuture engine_;
    DummySequencer silent_; // stands in when there is no engine
    // Declared after the engine, so it goes first: a player must not outlive its synthesizer.
    std::unique_ptr<_fluid_player_t, PlayerDeleter> player_;
    std::optional<MidiTiming> timing_;
    // FluidSynth reports a paused and a finished player alike as done; this tells them apart.
    SequencerState state_ = SequencerState::kClosed;
};

} // namespace kvat
