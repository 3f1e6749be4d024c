#pragma once
// The diatonic step table every step-based method resolves its notes with.

#include <cstdint>

namespace kvat::melody {

inline constexpr int kLowestStep = -13; // note 36
inline constexpr int kHighestStep = 21; // note 95

// StepToNote for the running steps of the methods, which may wander far outside the table on a
// long line: every such step is the rest 0.
int NoteOfStep(std::int64_t step);

} // namespace kvat::melody
