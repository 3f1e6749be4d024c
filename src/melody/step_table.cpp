#include "melody/step_table.h"
#include "melody/melody.h"

#include <array>

namespace kvat {
namespace {

// The white keys from the lowest step (C two octaves below middle C) up to the highest.
constexpr auto kStepNotes = [] {
    constexpr int kWhiteKeys[7] = {0, 2, 4, 5, 7, 9, 11};
    constexpr int kLowestNote = 36;
    std::array<int, melody::kHighestStep - melody::kLowestStep + 1> notes{};
    for (std::size_t i = 0; i < notes.size(); ++i)
        notes[i] = kLowestNote + 12 * static_cast<int>(i / 7) + kWhiteKeys[i % 7];
    return notes;
}();

static_assert(kStepNotes[1 - melody::kLowestStep] == 60, "step 1 is middle C");
static_assert(kStepNotes.back() == 95);

} // namespace

int StepToNote(int step) {
    return melody::NoteOfStep(step);
}

namespace melody {

int NoteOfStep(std::int64_t step) {
    if (step < kLowestStep || step > kHighestStep) return 0;
    return kStepNotes[static_cast<std::size_t>(step - kLowestStep)];
}

} // namespace melody
} // namespace kvat
