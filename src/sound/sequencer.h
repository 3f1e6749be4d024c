#pragma once
// What playback asks of a MIDI file player: open a file by its path, play it from a position,
// pause, stop and close, and report where it is and how long it lasts, all in milliseconds.
// Every operation is quiet about failure: a file that cannot be opened plays nothing and the
// position and length queries then answer nothing.

#include <filesystem>
#include <optional>

namespace kvat {

enum class SequencerState {
    kClosed, // no file
    kReady,  // a file is open and not playing: just opened, or stopped
    kPlaying,
    kPaused, // stopped by Pause, the position kept for the next Play
    kEnded,  // played to its end
};

class Sequencer {
public:
    virtual ~Sequencer() = default;

    // Closes whatever was open, then opens the file. False when it cannot be read as MIDI.
    virtual bool Open(const std::filesystem::path& file) = 0;
    // Plays the open file from `fromMs` milliseconds (resuming after a pause, or from 0).
    virtual void Play(int fromMs) = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;

    virtual SequencerState State() = 0;
    // The position, never past the end; nothing when no file is open.
    virtual std::optional<int> PositionMs() = 0;
    // The open file's length; nothing when no file is open.
    virtual std::optional<int> LengthMs() const = 0;
};

} // namespace kvat
