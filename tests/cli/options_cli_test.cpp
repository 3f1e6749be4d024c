// Every option of the command line: listed by --help, its good values taken, and a bad value
// refused with status 2 and one line that names the option, the value and what is allowed.

#include "run.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kvat::test {
namespace {

constexpr const char* kVerse = "мама мыла раму\n";

struct OptionCase {
    std::string option;
    std::string good; // the far end of the allowed values
    std::string bad;  // just past it
    std::string allowed;
};

const OptionCase kOptions[] = {
    {"--method", "9", "10", "0..9"},
    {"--metre", "auto", "6", "auto or 0..5"},
    {"--lengthen", "no", "maybe", "yes or no"},
    {"--key", "-7", "8", "-7..7"},
    {"--sharp-shift", "11", "12", "0..11"},
    {"--centre-shift", "-32768", "32768", "-32768..32767"},
    {"--note-map", "-1,0,1,2,3,4,5,6,7,23", "-1,0,1,2,3,4,5,6,7,24", "-1..23"},
    {"--octave", "12", "3", "1, 2 or 12"},
    {"--seed", "18446744073709551615", "18446744073709551616", "0..18446744073709551615"},
    {"--tempo", "38", "39", "0..38"},
    {"--dynamics", "7", "8", "0..7"},
    {"--boost", "2", "3", "0..2 for dynamics 2"},
    {"--time-signature", "12/16", "12/4", "a denominator offered for N"},
    {"--soprano", "127", "128", "0..127"},
    {"--mezzo", "0", "-1", "0..127"},
    {"--tenor", "127", "128", "0..127"},
    {"--bass", "127", "x", "0..127"},
    {"--group", "brass", "piano", "strings, woodwind or brass"},
    {"--drums", "35,81", "34,81", "35..81"},
    {"--drum-map", "10", "11", "3..10"},
    {"--accompaniment", "127", "128", "0..127"},
    {"--effect", "sustain", "echo", "none, modulation or sustain"},
};

void PrintTo(const OptionCase& c, std::ostream* out) {
    *out << c.option;
}

void ExpectRefused(const RunResult& r, const std::vector<std::string>& named) {
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    for (const auto& text : named) EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
}

class EveryOption : public testing::TestWithParam<OptionCase> {};

TEST_P(EveryOption, GoodValueTakenBadValueRefusedInEitherSpelling) {
    const OptionCase& c = GetParam();
    const RunResult good = RunKvat({"melody", c.option, c.good}, kVerse);
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(RunKvat({"melody", c.option + "=" + c.good}, kVerse).out, good.out);

    const std::vector<std::string> named = {c.option, "'" + c.bad + "'", c.allowed};
    ExpectRefused(RunKvat({"melody", c.option, c.bad}, kVerse), named);
    ExpectRefused(RunKvat({"melody", c.option + "=" + c.bad}, kVerse), named);
}

INSTANTIATE_TEST_SUITE_P(Options, EveryOption, testing::ValuesIn(kOptions), [](const auto& info) {
    std::string name = info.param.option.substr(2);
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(Help, ListsEverySubcommandAndOption) {
    const RunResult help = RunKvat({"--help"});
    EXPECT_EQ(help.status, 0);
    std::vector<std::string> words = {"analyse", "syllables", "report",  "melody",     "midi",
                                      "audio",   "score",     "--help",  "--version",  "--colour",
                                      "-o",      "--output",  "--ictus", "--soundfont"};
    for (const auto& c : kOptions) words.push_back(c.option);
    for (const auto& word : words) EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_EQ(RunKvat({"-h"}).out, help.out);
    EXPECT_EQ(RunKvat({"--version"}).out, "Kvat 1.05\n");
}

TEST(MalformedOptions, NamedWithoutSwallowingTheNextArgument) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> named;
    };
    const Case cases[] = {
        {{"melody", "--frobnicate", "verse.txt"}, {"--frobnicate", "no such option"}},
        {{"melody", "-x"}, {"-x", "no such option"}},
        {{"melody", "--colour=yes"}, {"--colour", "'yes'", "takes no value"}},
        {{"--version=2"}, {"--version", "'2'", "takes no value"}},
        {{"melody", "--key"}, {"--key", "a value is missing"}},
        {{"melody", "--method="}, {"--method", "''", "0..9"}},
        {{"melody", "a.txt", "b.txt"}, {"'b.txt'", "only one verse file"}},
        {{"dance"}, {"'dance'", "no such subcommand"}},
    };
    for (const auto& c : cases) ExpectRefused(RunKvat(c.args, kVerse), c.named);
    // An unknown option takes no value with it: the next argument is not blamed.
    EXPECT_EQ(RunKvat({"melody", "--frobnicate", "verse.txt"}).err.find("verse.txt"),
              std::string::npos);
}

TEST(FileOptions, MissingOrMisplacedFilesAreUsageErrors) {
    const std::string ictus = TempFile("options-ictus.txt", "1010\n");
    EXPECT_EQ(RunKvat({"melody", "--metre", "5", "--ictus", ictus}, kVerse).status, 0);
    // Without the hand-placed metre the file would be read by nothing.
    ExpectRefused(RunKvat({"melody", "--ictus", ictus}, kVerse),
                  {"--ictus", "'" + ictus + "'", "--metre 5"});
    ExpectRefused(RunKvat({"melody", "--metre", "5", "--ictus", "/nonexistent/ictus.txt"}, kVerse),
                  {"/nonexistent/ictus.txt"});
    ExpectRefused(
        RunKvat({"audio", "-o", TempFile("options.wav", ""), "--soundfont", "/nonexistent/gm.sf2"},
                kVerse),
        {"/nonexistent/gm.sf2"});
    ExpectRefused(RunKvat({"score", "--output", "score.gif"}, kVerse), {"score.gif", ".png"});
    ExpectRefused(RunKvat({"midi"}, kVerse), {"-o"});
}

} // namespace
} // namespace kvat::test
