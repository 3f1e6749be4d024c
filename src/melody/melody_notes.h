#pragma once
// The melody as the methods build it before it becomes text: one note and its "+" marks per
// token. Note 0 is a rest; since every other note has two digits, a rest is exactly the token
// whose text starts with "0", which is what the line-final rules look for.

#include <string>
#include <vector>

namespace kvat::melody {

struct MelodyNote {
    int note = 0;
    int marks = 0;

    bool IsBareRest() const { return note == 0 && marks == 0; }
    bool operator==(const MelodyNote&) const = default;
};

using Melody = std::vector<MelodyNote>;

// "+" CR LF "0" -> "++" CR LF "0": a marked token before a rest gets one more mark.
void DoubleMarksBeforeRests(Melody& melody);

// CR LF "0" -> "+" CR LF "0": every token before a rest gets one more mark.
void MarkBeforeRests(Melody& melody);

// The lengthening of the single-pass methods: with the option every line's last syllable gets
// one more mark; without it only a line-final ictus does.
inline void LengthenSinglePass(Melody& melody, bool lengthen) {
    lengthen ? MarkBeforeRests(melody) : DoubleMarksBeforeRests(melody);
}

// The tokens joined by CR LF, none after the last.
std::string MelodyText(const Melody& melody);

} // namespace kvat::melody
