// The command-line contract of `kvat melody`.

#include "run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace kvat::test {
namespace {

TEST(MelodyCli, PrintsOneTokenPerLine) {
    const auto run = RunKvat({"melody", "--metre", "1"}, "мама\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "64\n64++\n0\n");
    EXPECT_EQ(run.err, "");
}

TEST(MelodyCli, NoMelodyIsOneLineOnStandardErrorAndStatusOne) {
    const auto run = RunKvat({"melody", "--method", "4"}, "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

TEST(MelodyCli, SettingsGoToTheScrollBarsOfTheChosenMethod) {
    struct Case {
        std::vector<std::string> options;
        const char* verse;
        std::string tokens;
    };
    const Case cases[] = {
        {{"--method", "3", "--key", "-2", "--lengthen", "no"}, "мама мыла", "60+ 57 60+ 57 0"},
        {{"--method", "5", "--key", "1"}, "мама мыла", "65+ 62 67+ 64+ 0"},
        {{"--method", "8", "--key", "3"}, "мама мыла", "72+ 71 69+ 71+ 0"},
        {{"--method", "1", "--sharp-shift", "3"}, "люди", "63+ 72+ 0"},
        {{"--method", "5", "--centre-shift", "1", "--lengthen", "no"},
         "ма ма ма ма ма ма ма ма",
         "64+ 65 67+ 69 71+ 72 71+ 69 0"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"melody", "--metre", "0"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        std::string expected = c.tokens + "\n";
        std::replace(expected.begin(), expected.end(), ' ', '\n');
        EXPECT_EQ(RunKvat(args, std::string(c.verse) + "\n").out, expected) << c.options[2];
    }
}

TEST(MelodyCli, NoteMapGivenOrDrawnFromTheSeedWithinTheOctave) {
    const std::string vowels = "а е ё и о у ы э ю я\n";
    const auto given = RunKvat(
        {"melody", "--metre", "1", "--method", "2", "--note-map", "0,1,2,3,4,5,6,7,8,-1"}, vowels);
    EXPECT_EQ(given.out, "60\n61+\n62\n63+\n64\n65+\n66\n67+\n68\n59++\n0\n");

    const std::vector<std::string> seeded = {"melody", "--method", "2", "--seed",
                                             "11",     "--octave", "2"};
    const auto first = RunKvat(seeded, vowels);
    EXPECT_EQ(first.out, RunKvat(seeded, vowels).out);
    std::istringstream tokens(first.out);
    for (std::string token; std::getline(tokens, token);)
        if (token != "0") {
            EXPECT_TRUE(token >= "72" && token < "84") << token;
        }
}

} // namespace
} // namespace kvat::test
