// Methods 3 and 4: relative moves, starting again at every word or at every line.

#include "melody/methods.h"
#include "melody_support.h"

namespace kvat::test {
namespace {

melody::IntervalText WordIntervals(std::u32string_view text, const MetreState& metre) {
    const Lines lines = Verse(text);
    return melody::WordIntervalText(lines, Templates(lines, metre));
}

melody::IntervalText LineIntervals(std::u32string_view text, const MetreState& metre) {
    const Lines lines = Verse(text);
    return melody::LineIntervalText(lines, Templates(lines, metre));
}

TEST(TonalLine, MamaMylaUnderTheTrochee) {
    const auto trochee = Metre(kTrochee);
    EXPECT_EQ(WordIntervals(U"мама мыла", trochee), (Tokens{"_1+", "-2", "_1+", "-2", "0"}));
    EXPECT_EQ(LineIntervals(U"мама мыла", trochee), (Tokens{"1+", "-2", "_1+", "-2", "0"}));
    EXPECT_EQ(Melody(U"мама мыла", trochee, Method(3)), (Tokens{"64+", "60", "64+", "60", "0"}));
    EXPECT_EQ(Melody(U"мама мыла", trochee, Method(4)), (Tokens{"64+", "60", "60+", "57", "0"}));
}

TEST(TonalLine, IntervalsFollowTheRowAndTheWordsFirstIctus) {
    // ё, и soft; у, ы, о hard; the word turns falling at its first ictus (the iamb's second
    // vowel) and rises again after the space.
    EXPECT_EQ(LineIntervals(U"ёлки у дороги", Metre(kIamb)),
              (Tokens{"2", "2+", "_1", "_1+", "-2", "-1++", "0"}));
}

TEST(TonalLine, SeveralSpacesOrAWordWithoutVowelsAreOneWordBoundary) {
    const auto trochee = Metre(kTrochee);
    for (int method : {3, 4})
        for (const char32_t* text : {U"мама   мыла", U"мама в мыла", U"мама, - мыла"})
            EXPECT_EQ(Melody(text, trochee, Method(method)),
                      Melody(U"мама мыла", trochee, Method(method)))
                << method;
}

TEST(TonalLine, ALineEndingInASpace) {
    const auto trochee = Metre(kTrochee);
    EXPECT_EQ(Melody(U"мама мыла \nмама", trochee, Method(3)),
              (Tokens{"64+", "60", "64+", "60", "0", "64+", "60", "0"}));
    // Method 4 reads such a line end as one more vowel: a note, and no new start from the base.
    EXPECT_EQ(Melody(U"мама мыла \nмама", trochee, Method(4)),
              (Tokens{"64+", "60", "60+", "57", "57", "59+", "55", "0"}));
}

TEST(TonalLine, StepsPastTheTableBecomeRestsAndMethod4StartsAgainThere) {
    // Twelve rising soft vowels with no ictus climb two steps each.
    const auto flat = Metre(kManualMetre, {std::string(12, '0')});
    const std::u32string word(12, U'и');
    EXPECT_EQ(Melody(word, flat, Method(3)),
              (Tokens{"64", "67", "71", "74", "77", "81", "84", "88", "91", "95", "0", "0", "0"}));
    EXPECT_EQ(Melody(word, flat, Method(4)),
              (Tokens{"65", "69", "72", "76", "79", "83", "86", "89", "93", "0", "65", "69", "0"}));
    // The lengthening marks whatever stands before a rest, inside the line too.
    EXPECT_EQ(Melody(word, flat, Method(4, true)), (Tokens{"65", "69", "72", "76", "79", "83", "86",
                                                           "89", "93+", "0", "65", "69+", "0"}));
}

TEST(TonalLine, LengtheningGivesALineFinalIctusThreeMarks) {
    for (int method : {3, 4})
        EXPECT_EQ(Melody(U"мама", Metre(kIamb), Method(method, true)),
                  (Tokens{"64", "65+++", "0"}));
    EXPECT_EQ(Melody(U"мама мыла", Metre(kTrochee), Method(3, true)),
              (Tokens{"64+", "60", "64+", "60+", "0"}));
}

} // namespace
} // namespace kvat::test
