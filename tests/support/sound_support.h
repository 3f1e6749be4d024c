#pragma once
// What the sound tests share: a folder of this test process, MIDI files of a melody, and the
// synthesizer's output rendered by hand.

#include "midi/arrangement.h"
#include "midi/file_writer.h"
#include "sound/fluid_engine.h"
#include "sound/voice_mix.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace kvat::test {

// Made on first use, removed when the test program ends.
inline const std::filesystem::path& SoundTestFolder() {
    static const auto path = std::filesystem::temp_directory_path() / std::to_string(getpid());
    static const struct Folder {
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() { std::filesystem::remove_all(path); }
    } folder;
    return path;
}

// `count` plain eighth notes: 48 ticks, at the start-up tempo (108 per minute) 277.8 ms each.
inline std::vector<std::string> Eighths(int count) {
    std::vector<std::string> tokens;
    for (int i = 0; i < count; ++i) tokens.push_back(std::to_string(60 + 2 * (i % 7)));
    return tokens;
}

inline std::filesystem::path WriteMelodyFile(const std::string& name,
                                             const std::vector<std::string>& tokens,
                                             const SoundSettings& settings = {}) {
    const auto path = SoundTestFolder() / name;
    EXPECT_TRUE(WriteFileAtomically(path, ArrangeMelody(tokens, settings)));
    return path;
}

// Renders `ms` milliseconds in 10 ms blocks; returns the loudest sample.
inline float RenderMs(FluidEngine& engine, int ms) {
    std::vector<float> left(static_cast<std::size_t>(engine.SampleRate() / 100)), right(left);
    float loudest = 0;
    for (int done = 0; done < ms; done += 10) {
        engine.Render(left, right);
        for (std::size_t i = 0; i < left.size(); ++i)
            loudest = std::max({loudest, std::abs(left[i]), std::abs(right[i])});
    }
    return loudest;
}

// Whether the voice sounds within a second of the track from `from` on.
inline bool Sounds(const VoiceTrack& track, std::int64_t from = 0) {
    std::vector<float> left(static_cast<std::size_t>(track.Rate())), right(left);
    track.MixInto(from, left, right);
    return std::any_of(left.begin(), left.end(), [](float x) { return std::abs(x) > 0.01F; });
}

} // namespace kvat::test
