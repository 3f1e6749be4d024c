#pragma once
// A MIDI file sounded offline through FluidSynth into a WAV file, as fast as the machine
// renders, with no audio device and no display.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvat {

// Called now and then with the part done, 0 to 1.
using RenderProgress = std::function<void(double done)>;

// A sung voice in the render: mono samples from the MIDI file's time 0, sung at the rate the
// synthesizer renders at once that is known; nothing when it cannot be sung.
struct WavVoice {
    std::function<std::optional<std::vector<float>>(int rate)> sing;
    // The voice alone, as long as the instruments' render would be, so that the two line up.
    bool alone = false;
};

// The longest a melody may last, in seconds, for its WAV at `rate` frames a second (the
// second of ringing out included) to keep within the 4 GB a WAV file counts.
std::int64_t LongestWavSeconds(int rate);

// Renders the whole file and then lets the last notes ring out for at most a second, as 16-bit
// PCM whose loudest sample is 1 dB below full scale however many voices sound: the samples are
// rendered in floating point and measured before any is written, kept in memory for a piece of
// up to ten minutes and rendered a second time for a longer one. The WAV appears complete or
// not at all. With `voice`, the voice sings in it at the level live playback gives it, or alone.
// On failure returns false and sets `error` to one line.
bool RenderMidiToWav(std::span<const std::uint8_t> midi, const std::filesystem::path& soundFont,
                     const std::filesystem::path& wav, const RenderProgress& progress,
                     std::string& error, const WavVoice* voice = nullptr);

} // namespace kvat
