// Methods 0-2: a note per vowel letter.

#include "melody_support.h"

namespace kvat::test {
namespace {

constexpr std::u32string_view kAllVowels = U"а е ё и о у ы э ю я";

// The notes alone, without the line end and the marks.
std::vector<int> Notes(const Tokens& tokens) {
    std::vector<int> notes;
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) notes.push_back(std::stoi(tokens[i]));
    return notes;
}

TEST(Frequency, FixedMapRaisesTheSoftRowByTheSoftShift) {
    // Method 0 an octave; method 1 by VScroll5, so at 0 each vowel sounds like its row partner.
    MelodySettings smoothed = Method(1);
    EXPECT_EQ(Melody(U"люди", Metre(kIamb), smoothed), Melody(U"луды", Metre(kIamb), smoothed));
    smoothed.softVowelShift = 11;
    EXPECT_EQ(Notes(Melody(kAllVowels, Metre(kIamb), Method(0))),
              (std::vector<int>{64, 79, 74, 81, 62, 60, 69, 67, 72, 76}));
    EXPECT_EQ(Notes(Melody(kAllVowels, Metre(kIamb), smoothed)),
              (std::vector<int>{64, 78, 73, 80, 62, 60, 69, 67, 71, 75}));
    EXPECT_EQ(Melody(U"юла", Metre(kTrochee), Method(0, false)), (Tokens{"72+", "64", "0"}));
    EXPECT_EQ(Melody(U"юла", Metre(kTrochee), Method(0, true)), (Tokens{"72+", "64+", "0"}));
}

TEST(Frequency, UserMapGivesEachVowelItsListItemAndNoSelection59) {
    MelodySettings settings = Method(2);
    settings.noteMap = {0, 2, 4, 5, 7, 9, 11, 12, 23, -1};
    // The smoothed shift belongs to method 1 only.
    settings.softVowelShift = 5;
    EXPECT_EQ(Notes(Melody(kAllVowels, Metre(kIamb), settings)),
              (std::vector<int>{60, 62, 64, 65, 67, 69, 71, 72, 83, 59}));
}

} // namespace
} // namespace kvat::test
