#include "sound/dummy_sequencer.h"

#include <algorithm>
#include <chrono>

namespace kvat {

MsClock SteadyClock() {
    return [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
}

DummySequencer::DummySequencer(MsClock clock) : clock_(std::move(clock)) {}

bool DummySequencer::Open(const std::filesystem::path& file) {
    Close();
    const auto bytes = ReadFileBytes(file);
    const auto timing = bytes ? ReadMidiTiming(*bytes) : std::nullopt;
    if (!timing) return false;
    file_ = file;
    lengthMs_ = kvat::LengthMs(*timing);
    heldMs_ = 0;
    state_ = SequencerState::kReady;
    return true;
}

void DummySequencer::Play(int fromMs) {
    if (state_ == SequencerState::kClosed) return;
    heldMs_ = std::clamp<std::int64_t>(fromMs, 0, lengthMs_);
    originMs_ = clock_() - heldMs_;
    state_ = SequencerState::kPlaying;
}

void DummySequencer::Halt(SequencerState next) {
    if (state_ == SequencerState::kClosed) return;
    if (const auto position = PositionMs()) heldMs_ = *position;
    state_ = next;
}

void DummySequencer::Pause() {
    Halt(SequencerState::kPaused);
}
void DummySequencer::Stop() {
    Halt(SequencerState::kReady);
}

void DummySequencer::Close() {
    state_ = SequencerState::kClosed;
    file_.clear();
    lengthMs_ = heldMs_ = 0;
}

SequencerState DummySequencer::State() {
    if (state_ == SequencerState::kPlaying && clock_() - originMs_ >= lengthMs_) {
        state_ = SequencerState::kEnded;
        heldMs_ = lengthMs_;
    }
    return state_;
}

std::optional<int> DummySequencer::PositionMs() {
    switch (State()) {
    case SequencerState::kClosed:
        return std::nullopt;
    case SequencerState::kPlaying:
        return static_cast<int>(std::clamp<std::int64_t>(clock_() - originMs_, 0, lengthMs_));
    default:
        return static_cast<int>(heldMs_);
    }
}

std::optional<int> DummySequencer::LengthMs() const {
    if (state_ == SequencerState::kClosed) return std::nullopt;
    return static_cast<int>(lengthMs_);
}

} // namespace kvat
