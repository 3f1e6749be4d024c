// The melody string, the walk every method shares, and the dispatch.

#include "melody_support.h"

#include <regex>

namespace kvat::test {
namespace {

TEST(StepToNote, FollowsTheWhiteKeysFromStepOneAtMiddleC) {
    const std::pair<int, int> rows[] = {{-13, 36}, {-7, 47}, {-6, 48}, {-1, 57},
                                        {0, 59},   {1, 60},  {2, 62},  {3, 64},
                                        {4, 65},   {8, 72},  {15, 84}, {21, 95}};
    for (const auto& [step, note] : rows) EXPECT_EQ(StepToNote(step), note) << "step " << step;
    for (int step = -12; step <= 21; ++step) {
        EXPECT_GT(StepToNote(step), StepToNote(step - 1));
        EXPECT_NE(std::string("010100101010")[StepToNote(step) % 12], '1') << "black key";
    }
    for (int step : {-14, 22, -32768, 32767}) EXPECT_EQ(StepToNote(step), 0);
}

struct WalkCase {
    const char32_t* verse;
    int metre;
    bool lengthen;
    Tokens tokens;
};

TEST(Walk, Examples) {
    const WalkCase cases[] = {
        // A line-final ictus ends long whatever the option.
        {U"мама", kIamb, false, {"64", "64++", "0"}},
        {U"мама", kIamb, true, {"64", "64++", "0"}},
        // Lines without vowels give only the rest, which the option marks before another rest.
        {U"мама\n\nв, к!", kIamb, false, {"64", "64++", "0", "0", "0"}},
        {U"мама\n\nв, к!", kIamb, true, {"64", "64++", "0+", "0+", "0"}},
        {U"МАМА Ёж", kIamb, false, {"64", "64+", "74", "0"}},
        // The trochee is read from its third character.
        {U"ма ма ма", kTrochee, false, {"64+", "64", "64++", "0"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Melody(c.verse, Metre(c.metre), Method(0, c.lengthen)), c.tokens);
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

TEST(Walk, TokenCountIsVowelsPlusLinesAndEveryTokenIsANoteOrARest) {
    const std::u32string verse = U"Ёлка в снегу у дороги стоит,\nВетер над полем звенит,\n\n"
                                 U"И облака,  уплывая в\nЮжные страны, ";
    const Lines lines = Verse(verse);
    std::size_t expected = lines.size();
    for (const auto& line : lines) expected += melody::VowelCount(line);
    const std::regex token("(0|[3-8][0-9]|9[0-5])\\+{0,3}");
    for (int metre = 0; metre <= 4; ++metre)
        for (int method = 0; method <= 9; ++method) {
            const Tokens tokens = Melody(verse, Metre(metre), Method(method, true));
            EXPECT_EQ(tokens.size(), expected) << metre << ' ' << method;
            for (const auto& t : tokens) {
                EXPECT_TRUE(std::regex_match(t, token)) << t;
                // Only the two-pass methods give three marks.
                EXPECT_TRUE((method >= 3 && method <= 7) || !t.ends_with("+++")) << t;
            }
        }
}

TEST(Dispatch, GivesNoMelodyWithAOneLineReason) {
    MetreState noPattern = Metre(kManualMetre);
    noPattern.templates[kManualMetre].clear();
    const std::tuple<Lines, MetreState, int> cases[] = {
        {{}, Metre(kIamb), 0},         {{U""}, Metre(kIamb), 3},
        {{U"мама"}, Metre(kIamb), -1}, {{U"мама"}, Metre(kIamb), 10},
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

TEST(Dispatch, SettingsOutsideTheControlsAreTakenAtTheirEnds) {
    MelodySettings wild = Method(1), edge = Method(1);
    wild.softVowelShift = 400;
    edge.softVowelShift = 11;
    EXPECT_EQ(Melody(U"люди", Metre(kIamb), wild), Melody(U"люди", Metre(kIamb), edge));
}

} // namespace
} // namespace kvat::test
