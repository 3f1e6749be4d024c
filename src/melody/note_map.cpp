#include "melody/note_map.h"

namespace kvat {
namespace {

struct OctaveDraw {
    int width;  // how many list items r in [0, 1) is spread over
    int offset; // the first of them
};

constexpr OctaveDraw kOctaveDraws[kOctaveItems.size()] = {{12, 0}, {12, 12}, {24, 0}};

// Uniform in [0, 1) from the top 53 bits: never 1, whatever the rounding.
double UnitRandom(std::mt19937_64& random) {
    return static_cast<double>(random() >> 11) * 0x1.0p-53;
}

} // namespace

NoteMap RandomNoteMap(const NoteMap& current, int octaveItem, std::mt19937_64& random) {
    if (octaveItem < 0 || octaveItem >= static_cast<int>(kOctaveItems.size())) return current;
    const OctaveDraw& draw = kOctaveDraws[octaveItem];
    NoteMap map;
    for (int& item : map) item = static_cast<int>(UnitRandom(random) * draw.width) + draw.offset;
    return map;
}

} // namespace kvat
