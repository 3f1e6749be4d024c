// Methods 5-7: tonal moves bent by the side of the line's centre.

#include "melody/methods.h"
#include "melody_support.h"

#include <algorithm>

namespace kvat::test {
namespace {

constexpr std::u32string_view kMamaMylaRama = U"мама мыла рама";

// The interval text of method 5 (planar) or of methods 6 and 7.
melody::IntervalText Intervals(bool planar, std::u32string_view text, const MetreState& metre,
                               int shift = 0) {
    const Lines lines = Verse(text);
    const auto templates = Templates(lines, metre);
    return planar ? melody::PlanarIntervalText(lines, templates, shift)
                  : melody::VolumeIntervalText(lines, templates, shift);
}

std::string SideMarks(const melody::IntervalText& text) {
    std::string marks;
    for (const auto& token : text)
        if (token != "0") marks += token.front();
    return marks;
}

TEST(TonalSpatial, MamaMylaRamaUnderTheTrochee) {
    const auto trochee = Metre(kTrochee);
    EXPECT_EQ(Intervals(true, kMamaMylaRama, trochee),
              (Tokens{"_1+", "-2", ">_1+", "-2", "<_1+", "-2", "0"}));
    EXPECT_EQ(Intervals(false, kMamaMylaRama, trochee),
              (Tokens{">1+", ">-2", ">1+", "<-2", "<1+", "<-2", "0"}));
    EXPECT_EQ(Melody(kMamaMylaRama, trochee, Method(5)),
              (Tokens{"64+", "60", "65+", "62", "64+", "60", "0"}));
    EXPECT_EQ(Melody(kMamaMylaRama, trochee, Method(6)),
              (Tokens{"64+", "59", "60+", "55", "55+", "50", "0"}));
    EXPECT_EQ(Melody(kMamaMylaRama, trochee, Method(7)),
              (Tokens{"67+", "65", "69+", "64", "64+", "59", "0"}));
}

TEST(TonalSpatial, WordBasesRiseBeforeTheCentreFallAfterItAndStartAgainEachLine) {
    EXPECT_EQ(Melody(U"ма ма ма ма ма ма\nма ма", Metre(kTrochee), Method(5)),
              (Tokens{"64+", "65", "67+", "69", "67+", "65", "0", "64+", "65", "0"}));
}

TEST(TonalSpatial, SoftRisingSyllablesOnBothSidesAndTheRestartAtARest) {
    const auto flat = Metre(kManualMetre, {std::string(12, '0')});
    const std::u32string word(12, U'и');
    EXPECT_EQ(Melody(word, flat, Method(6)), (Tokens{"65", "69", "72", "76", "79", "83", "84", "86",
                                                     "88", "89", "91", "93", "0"}));
    // Method 7 climbs past the table; the rest sends the running step back to the base.
    EXPECT_EQ(Melody(word, flat, Method(7)),
              (Tokens{"69", "74", "79", "84", "89", "95", "0", "65", "67", "69", "71", "72", "0"}));
}

TEST(TonalSpatial, CentreShiftMovesTheSidesUntilALineIsTooShortForIt) {
    const std::u32string twelve = U"мама мама мама мама мама мама";
    EXPECT_EQ(SideMarks(Intervals(false, twelve, Metre(kIamb))), ">>>>>><<<<<<");
    EXPECT_EQ(SideMarks(Intervals(false, twelve, Metre(kIamb), 2)), ">>>>>>>><<<<");
    EXPECT_EQ(SideMarks(Intervals(false, twelve, Metre(kIamb), -2)), ">>>><<<<<<<<");
    // The centre counts a capital vowel as well.
    EXPECT_EQ(SideMarks(Intervals(false, U"Ира ела", Metre(kIamb))), ">><<");
    // A first line with a centre of at most 2 cancels any shift for the whole run.
    const std::u32string verse = U"мама\n" + twelve;
    EXPECT_EQ(Intervals(false, verse, Metre(kIamb), 2), Intervals(false, verse, Metre(kIamb)));
    EXPECT_EQ(Intervals(true, verse, Metre(kIamb), -2), Intervals(true, verse, Metre(kIamb)));
}

TEST(TonalSpatial, LengtheningGivesALineFinalIctusThreeMarks) {
    const Tokens expected[] = {{"64", "65+++", "0"}, {"64", "64+++", "0"}, {"67", "67+++", "0"}};
    for (int method : {5, 6, 7})
        EXPECT_EQ(Melody(U"мама", Metre(kIamb), Method(method, true)), expected[method - 5]);
}

TEST(TonalSpatial, CentreRangeComesFromTheLastLinesVowelCount) {
    const std::pair<std::u32string, int> cases[] = {
        {U"мама мыла рама\n", 0},     {U"ма ма ма", 0},
        {U"ма ма ма ма", 1},          {U"мамамамамамама", 1},
        {std::u32string(8, U'я'), 2}, {std::u32string(11, U'я'), 2},
        {std::u32string(12, U'я'), 3}};
    for (const auto& [verse, quarter] : cases) {
        EXPECT_EQ(CentreRange(Verse(verse)), std::make_pair(quarter, -quarter));
        for (int method : {4, 5, 6, 7, 8}) {
            const auto melody = GenerateMelody(Verse(verse), Metre(kIamb), Method(method));
            ASSERT_TRUE(melody);
            EXPECT_EQ(melody->centreRange.has_value(), method >= 5 && method <= 7);
        }
    }
}

} // namespace
} // namespace kvat::test
