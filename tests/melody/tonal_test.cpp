// Methods 3-9 where the whole-verse fixtures do not reach: a line ending in a space,
// steps past the table, the centre shift's limits and the motifs' far ends.

#include "melody/methods.h"
#include "melody_support.h"

namespace kvat::test {
namespace {

// Twelve rising soft vowels with no ictus climb two steps each.
const std::u32string kTwelve(12, U'и');
const MetreState kFlat = Metre(kManualMetre, {std::string(12, '0')});

TEST(Tonal, ALineEndingInASpace) {
    const auto trochee = Metre(kTrochee);
    EXPECT_EQ(Melody(U"мама мыла \nмама", trochee, Method(3)),
              (Tokens{"64+", "60", "64+", "60", "0", "64+", "60", "0"}));
    // Method 4 reads such a line end as one more vowel: a note, and no new start from the base.
    EXPECT_EQ(Melody(U"мама мыла \nмама", trochee, Method(4)),
              (Tokens{"64+", "60", "60+", "57", "57", "59+", "55", "0"}));
}

TEST(Tonal, LengtheningGivesALineFinalIctusThreeMarks) {
    // Methods 3, 5 and 7 show it in their fixtures.
    EXPECT_EQ(Melody(U"мама", Metre(kIamb), Method(4, true)), (Tokens{"64", "65+++", "0"}));
    EXPECT_EQ(Melody(U"мама", Metre(kIamb), Method(6, true)), (Tokens{"64", "64+++", "0"}));
}

TEST(Tonal, StepsPastTheTableBecomeRestsAndTheWalkStartsAgainThere) {
    const std::pair<int, Tokens> cases[] = {
        {3, {"64", "67", "71", "74", "77", "81", "84", "88", "91", "95", "0", "0", "0"}},
        {4, {"65", "69", "72", "76", "79", "83", "86", "89", "93", "0", "65", "69", "0"}},
        {6, {"65", "69", "72", "76", "79", "83", "84", "86", "88", "89", "91", "93", "0"}},
        {7, {"69", "74", "79", "84", "89", "95", "0", "65", "67", "69", "71", "72", "0"}},
    };
    for (const auto& [method, tokens] : cases)
        EXPECT_EQ(Melody(kTwelve, kFlat, Method(method)), tokens) << method;
    // The lengthening marks whatever stands before a rest, inside the line too.
    EXPECT_EQ(
        Melody(kTwelve, kFlat, Method(4, true)),
        (Tokens{"65", "69", "72", "76", "79", "83", "86", "89", "93+", "0", "65", "69+", "0"}));
}

std::string SideMarks(std::u32string_view text, int shift, bool planar = false) {
    const Lines lines = Verse(text);
    const MetreState iamb = Metre(kIamb); // the templates point into it
    const auto templates = Templates(lines, iamb);
    std::string marks;
    for (const auto& token : planar ? melody::PlanarIntervalText(lines, templates, shift)
                                    : melody::VolumeIntervalText(lines, templates, shift))
        if (token != "0") marks += token.front();
    return marks;
}

TEST(Tonal, CentreShiftMovesTheSidesUntilALineIsTooShortForIt) {
    const std::u32string twelve = U"мама мама мама мама мама мама";
    EXPECT_EQ(SideMarks(twelve, 0), ">>>>>><<<<<<");
    EXPECT_EQ(SideMarks(twelve, 2), ">>>>>>>><<<<");
    EXPECT_EQ(SideMarks(twelve, -2), ">>>><<<<<<<<");
    // The centre counts a capital vowel as well.
    EXPECT_EQ(SideMarks(U"Ира ела", 0), ">><<");
    // A first line with a centre of at most 2 cancels any shift for the whole run.
    const std::u32string verse = U"мама\n" + twelve;
    EXPECT_EQ(SideMarks(verse, 2), SideMarks(verse, 0));
    EXPECT_EQ(SideMarks(verse, -2, true), SideMarks(verse, 0, true));
}

TEST(Tonal, CentreRangeComesFromTheLastLinesVowelCount) {
    const std::pair<std::u32string, int> cases[] = {{U"мама мыла рама\n", 0},
                                                    {U"ма ма ма", 0},
                                                    {U"мамамамамамама", 1},
                                                    {std::u32string(11, U'я'), 2},
                                                    {std::u32string(12, U'я'), 3}};
    for (const auto& [verse, quarter] : cases)
        EXPECT_EQ(CentreRange(Verse(verse)), std::make_pair(quarter, -quarter));
}

TEST(Motif, FromTheOpeningPositionOfAHandPlacedLine) {
    const auto metre = Metre(kManualMetre, {"100100"});
    EXPECT_EQ(Melody(U"мама мыла раму", metre, Method(8)),
              (Tokens{"67+", "65", "67", "69+", "67", "67", "0"}));
    EXPECT_EQ(Melody(U"мама мыла раму", metre, Method(9)),
              (Tokens{"67+", "65", "67", "67+", "65", "67", "0"}));
}

TEST(Motif, StepsPastTheTableAreRestsThatKeepTheirMarks) {
    // From the lowest base, soft falls and hard rises drift two steps down per motif; the 23rd
    // and 24th syllables fall below the table.
    std::u32string line = U"я";
    for (int i = 0; i < 6; ++i) line += U"ееаа";
    for (const bool lengthen : {false, true}) {
        MelodySettings settings = Method(8, lengthen);
        settings.keyShift = -7;
        const Tokens tokens = Melody(line, Metre(kTrochee), settings);
        ASSERT_EQ(tokens.size(), 26u);
        EXPECT_EQ(
            Tokens(tokens.begin() + 17, tokens.end()),
            (Tokens{"40", "36+", "38", "40+", lengthen ? "36+" : "36", "0++", "0", "36++", "0"}));
    }
}

} // namespace
} // namespace kvat::test
