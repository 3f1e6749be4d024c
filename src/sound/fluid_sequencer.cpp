#include "sound/fluid_sequencer.h"

#include <fluidsynth.h>

#include <algorithm>

namespace kvat {

void FluidSequencer::PlayerDeleter::operator()(fluid_player_t* player) const {
    delete_fluid_player(player);
}

FluidSequencer::FluidSequencer(EngineFuture engine) : engine_(std::move(engine)) {}

FluidSequencer::~FluidSequencer() {
    Close();
}

FluidEngine* FluidSequencer::Engine() const {
    return engine_.valid() ? engine_.get().get() : nullptr;
}

bool FluidSequencer::Open(const std::filesystem::path& file) {
    Close();
    FluidEngine* engine = Engine();
    if (!engine) return silent_.Open(file);
    const auto bytes = ReadFileBytes(file);
    timing_ = bytes ? ReadMidiTiming(*bytes) : std::nullopt;
    if (!timing_) return false;
    // One player per file: a fresh player starts from a clean state, and it keeps its own copy
    // of the bytes, so the file may be copied or deleted while it plays.
    {
        const auto rendering = engine->HoldRendering();
        player_.reset(new_fluid_player(engine->Synth()));
        if (player_ &&
            fluid_player_add_mem(player_.get(), bytes->data(), bytes->size()) == FLUID_OK) {
            state_ = SequencerState::kReady;
            return true;
        }
    }
    Close();
    return false;
}

void FluidSequencer::Play(int fromMs) {
    if (!Engine()) return silent_.Play(fromMs);
    if (!player_) return;
    const auto rendering = Engine()->HoldRendering();
    // The seek takes effect at the player's next callback, before it plays on.
    fluid_player_seek(player_.get(), static_cast<int>(MsToTicks(*timing_, fromMs)));
    fluid_player_play(player_.get());
    state_ = SequencerState::kPlaying;
}

void FluidSequencer::Halt(SequencerState next) {
    if (!player_ || state_ == SequencerState::kClosed) return;
    {
        const auto rendering = Engine()->HoldRendering();
        // Stopping keeps the player's position; playing again after a seek resumes from there.
        fluid_player_stop(player_.get());
    }
    // The player would release its notes at its next callback, which a prompt Close never
    // lets come; and a held sustain pedal would keep them sounding even then.
    Engine()->Silence();
    state_ = next;
}

void FluidSequencer::Pause() {
    if (!Engine()) return silent_.Pause();
    if (State() == SequencerState::kPlaying) Halt(SequencerState::kPaused);
}

void FluidSequencer::Stop() {
    if (!Engine()) return silent_.Stop();
    Halt(SequencerState::kReady);
}

void FluidSequencer::Close() {
    silent_.Close();
    if (player_) {
        const auto rendering = Engine()->HoldRendering();
        player_.reset();
    }
    timing_.reset();
    state_ = SequencerState::kClosed;
}

SequencerState FluidSequencer::State() {
    if (!Engine()) return silent_.State();
    if (state_ == SequencerState::kPlaying) {
        // FluidSynth lets a finished file run on for a grace time; the file's end is the end.
        const bool done = fluid_player_get_status(player_.get()) == FLUID_PLAYER_DONE;
        const int tick = fluid_player_get_current_tick(player_.get());
        if (done || tick >= timing_->lengthTicks) state_ = SequencerState::kEnded;
    }
    return state_;
}

std::optional<int> FluidSequencer::PositionMs() {
    if (!Engine()) return silent_.PositionMs();
    if (!player_) return std::nullopt;
    const std::int64_t tick = std::clamp<std::int64_t>(fluid_player_get_current_tick(player_.get()),
                                                       0, timing_->lengthTicks);
    return static_cast<int>(TicksToMs(*timing_, tick));
}

std::optional<int> FluidSequencer::LengthMs() const {
    if (!Engine()) return silent_.LengthMs();
    if (!timing_) return std::nullopt;
    return static_cast<int>(kvat::LengthMs(*timing_));
}

} // namespace kvat
