#include "melody/melody_notes.h"

namespace kvat::melody {

// Both rules read the text before any replacement; walking forward, token j-1 is only ever
// changed after token j-1 itself has been looked at, so the marks tested are still the original.
void DoubleMarksBeforeRests(Melody& melody) {
    for (std::size_t j = 1; j < melody.size(); ++j)
        if (melody[j].note == 0 && melody[j - 1].marks > 0) ++melody[j - 1].marks;
}

void MarkBeforeRests(Melody& melody) {
    for (std::size_t j = 1; j < melody.size(); ++j)
        if (melody[j].note == 0) ++melody[j - 1].marks;
}

std::string MelodyText(const Melody& melody) {
    std::string text;
    text.reserve(melody.size() * 5);
    for (std::size_t j = 0; j < melody.size(); ++j) {
        if (j) text += "\r\n";
        // Notes are 0 or two digits.
        const int note = melody[j].note;
        if (note >= 10) text += static_cast<char>('0' + note / 10);
        text += static_cast<char>('0' + note % 10);
        text.append(static_cast<std::size_t>(melody[j].marks), '+');
    }
    return text;
}

} // namespace kvat::melody
