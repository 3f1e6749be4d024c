#pragma once
// Notes to sing in the voice's tests, and what a listener checks in their sound.

#include "voice/sung_note.h"

#include <cmath>
#include <vector>

namespace kvat::test {

inline constexpr int kRate = 22050;
inline constexpr double kNote = 0.3, kRest = 0.4;

// One note per syllable ("-" at the end: the word goes on), one phrase per line, a rest between.
inline std::vector<SungNote> Notes(const std::vector<std::vector<std::u32string>>& lines,
                                   const std::vector<int>& keys) {
    std::vector<SungNote> notes;
    double t = 0;
    for (std::size_t line = 0; line < lines.size(); ++line, t += kRest)
        for (const auto& lyric : lines[line]) {
            SungNote note{t,     kNote, keys[notes.size() % keys.size()],
                          lyric, false, static_cast<int>(line)};
            note.wordGoesOn = lyric.ends_with(U'-');
            if (note.wordGoesOn) note.syllable.pop_back();
            notes.push_back(note);
            t += kNote;
        }
    return notes;
}

// Over the middle half of the note the sound is loud and repeats at the key's period.
inline bool SungAt(const std::vector<float>& x, const SungNote& note) {
    const auto from = static_cast<std::size_t>((note.start + note.length / 4) * kRate);
    const auto to = static_cast<std::size_t>((note.start + 3 * note.length / 4) * kRate);
    const double period = kRate / (440 * std::exp2((note.key - 69) / 12.0));
    const auto lag = static_cast<std::size_t>(period);
    const double part = period - static_cast<double>(lag);
    if (to + lag + 1 >= x.size()) return false;
    double cross = 0, here = 0, there = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double later = (1 - part) * x[i + lag] + part * x[i + lag + 1];
        cross += x[i] * later;
        here += x[i] * x[i];
        there += later * later;
    }
    const double rms = std::sqrt(here / static_cast<double>(to - from));
    return rms > 0.02 && cross > 0.9 * std::sqrt(here * there);
}

} // namespace kvat::test
