#include "score/note_values.h"

#include <algorithm>

namespace kvat {
namespace {

struct PitchClass {
    char step;
    int alter;
};

constexpr std::array<PitchClass, 12> kPitchClasses = {{
    {'C', 0},
    {'C', 1},
    {'D', 0},
    {'D', 1},
    {'E', 0},
    {'F', 0},
    {'F', 1},
    {'G', 0},
    {'G', 1},
    {'A', 0},
    {'A', 1},
    {'B', 0},
}};

constexpr int kOctave = 12;
constexpr std::array<int, 12> kMajorFifths = {0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};
constexpr std::array<int, 7> kLetterClasses = {0, 2, 4, 5, 7, 9, 11}; // C D E F G A B
constexpr std::array<int, 7> kMajorScale = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> kMinorScale = {0, 2, 3, 5, 7, 8, 10};
constexpr std::string_view kLetters = "CDEFGAB";

int Modulo(int value, int by) {
    return ((value % by) + by) % by;
}

} // namespace

KeySignature KeySignatureOf(int tonic, bool minor) {
    // A minor key shares the signature of the major a minor third above it; of the two names of
    // six accidentals, F sharp major is the usual one, and E flat minor.
    const int fifths =
        kMajorFifths[static_cast<std::size_t>(Modulo(tonic + (minor ? 3 : 0), kOctave))];
    return {minor && fifths == 6 ? -6 : fifths, minor};
}

Spelling SpellKeyIn(int key, const KeySignature& signature) {
    // The circle of fifths from F: the major tonic of a signature sits one past its fifths, the
    // minor tonic three further on.
    constexpr std::string_view kFifthsFromF = "FCGDAEB";
    const int tonicLetter = static_cast<int>(kLetters.find(kFifthsFromF[static_cast<std::size_t>(
        Modulo(signature.fifths + (signature.minor ? 4 : 1), 7))]));
    const int tonic = Modulo(signature.fifths * 7 - (signature.minor ? 3 : 0), kOctave);
    const auto& scale = signature.minor ? kMinorScale : kMajorScale;
    const int above = Modulo(key - tonic, kOctave);
    int degree = static_cast<int>(std::find(scale.begin(), scale.end(), above) - scale.begin());
    if (signature.minor && above == kOctave - 1) degree = 6;
    if (degree >= 7) return SpellKey(key);
    const int letter = Modulo(tonicLetter + degree, 7);
    const int alter =
        Modulo(key - kLetterClasses[static_cast<std::size_t>(letter)] + 6, kOctave) - 6;
    const int natural = key - alter;
    const int octave = natural >= 0 ? natural / kOctave : (natural - 11) / kOctave;
    return {kLetters[static_cast<std::size_t>(letter)], alter, octave - 1};
}

const NoteValue& LongestValueWithin(int ticks) {
    for (const NoteValue& value : kNoteValues)
        if (value.ticks <= ticks) return value;
    return kNoteValues.back();
}

Spelling SpellKey(int key) {
    const int octave = key >= 0 ? key / 12 : (key - 11) / 12;
    const PitchClass& pitch = kPitchClasses[static_cast<std::size_t>(key - 12 * octave)];
    return {pitch.step, pitch.alter, octave - 1};
}

} // namespace kvat
