// What every method shares and the whole-verse fixtures do not reach: the step scale's ends,
// lines past the template or painted by hand, the vowel maps' unused settings, and no melody.

#include "melody_support.h"

namespace kvat::test {
namespace {

// The methods' fixtures reach the steps inside the table.
TEST(StepToNote, TheTablesEndsAndNothingPastThem) {
    const std::pair<int, int> cases[] = {{-13, 36}, {21, 95},    {-14, 0},
                                         {22, 0},   {-32768, 0}, {32767, 0}};
    for (const auto& [step, note] : cases) EXPECT_EQ(StepToNote(step), note) << step;
}

TEST(Walk, LineEndsWithAndWithoutLengthening) {
    const std::tuple<const char32_t*, bool, Tokens> cases[] = {
        // A line-final ictus ends long whatever the option.
        {U"мама", false, {"64", "64++", "0"}},
        {U"мама", true, {"64", "64++", "0"}},
        // Lines without vowels give only the rest, which the option marks before another rest.
        {U"мама\n\nв, к!", false, {"64", "64++", "0", "0", "0"}},
        {U"мама\n\nв, к!", true, {"64", "64++", "0+", "0+", "0"}},
    };
    for (const auto& [verse, lengthen, tokens] : cases)
        EXPECT_EQ(Melody(verse, Metre(kIamb), Method(0, lengthen)), tokens);
}

TEST(Walk, EveryVowelPastTheTemplateIsAnIctus) {
    const Tokens tokens = Melody(std::u32string(45, U'а'), Metre(kIamb), Method(0));
    ASSERT_EQ(tokens.size(), 46u);
    for (std::size_t i = 0; i < 42; ++i) EXPECT_EQ(tokens[i], i % 2 ? "64+" : "64") << i;
    EXPECT_EQ(Tokens(tokens.begin() + 42, tokens.end()), (Tokens{"64+", "64+", "64++", "0"}));
}

TEST(Walk, HandPlacedLinesTakeTheirOwnPiece) {
    // The middle piece is empty, so every vowel of that line is an ictus; the last piece keeps
    // the pattern's closing CR LF, two positions that are not ictuses.
    EXPECT_EQ(Melody(U"мама\nмама\nмама мама ма", Metre(kManualMetre, {"10", "", "00"}), Method(0)),
              (Tokens{"64+", "64", "0", "64+", "64++", "0", "64", "64", "64", "64", "64++", "0"}));
}

TEST(VowelMaps, SettingsOfOtherMethodsAndOutOfRangeOnesAreIgnored) {
    // Method 1 sounds a soft vowel as its hard partner at no shift, and takes a shift past the
    // scroll bar at its end.
    MelodySettings shifted = Method(1);
    EXPECT_EQ(Melody(U"люди", Metre(kIamb), shifted), Melody(U"луды", Metre(kIamb), shifted));
    shifted.softVowelShift = 400;
    MelodySettings edge = Method(1);
    edge.softVowelShift = 11;
    EXPECT_EQ(Melody(U"люди", Metre(kIamb), shifted), Melody(U"люди", Metre(kIamb), edge));
    // Method 2: an unselected vowel sounds 59, and the soft shift belongs to method 1 only.
    MelodySettings map = Method(2);
    map.noteMap = {0, 2, 4, 5, 7, 9, 11, 12, 23, -1};
    map.softVowelShift = 5;
    EXPECT_EQ(Melody(U"а е ё и о у ы э ю я", Metre(kIamb), map),
              (Tokens{"60", "62+", "64", "65+", "67", "69+", "71", "72+", "83", "59++", "0"}));
}

TEST(Dispatch, GivesNoMelodyWithAOneLineReason) {
    MetreState noPattern = Metre(kManualMetre);
    noPattern.templates[kManualMetre].clear();
    const std::tuple<Lines, MetreState, int> cases[] = {
        {{}, Metre(kIamb), 0},         {{U""}, Metre(kIamb), 3},
        {{U"мама"}, Metre(kIamb), -1}, {{U"мама"}, Metre(kIamb), kMethodCount},
        {{U"мама"}, Metre(6), 0},      {{U"мама", U"мама"}, Metre(kManualMetre, {"01"}), 8},
        {{U"мама"}, noPattern, 5},
    };
    for (const auto& [lines, metre, method] : cases) {
        std::string why;
        EXPECT_FALSE(GenerateMelody(lines, metre, Method(method), &why)) << method;
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(why.find('\n'), std::string::npos);
    }
}

} // namespace
} // namespace kvat::test
