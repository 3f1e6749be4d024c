// The option table read in-process: every option's far good value taken in either spelling,
// the value just past it refused in one line that names the option, the value and what is
// allowed; malformed command lines named without blaming the argument after them.

#include "cli/options.h"

#include <gtest/gtest.h>

namespace kvat::cli {
namespace {

using Args = std::vector<std::string>;

std::optional<Options> Parse(Args args, std::string* error = nullptr) {
    std::string ignored;
    args.insert(args.begin(), "melody");
    return ParseOptions(args, error ? *error : ignored);
}

void ExpectRefused(const Args& args, const Args& named) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error)) << args[0];
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    for (const auto& text : named) EXPECT_NE(error.find(text), std::string::npos) << error;
}

struct OptionCase {
    std::string option;
    std::string good; // the far end of the allowed values
    std::string bad;  // just past it
    std::string allowed;
};

const OptionCase kOptions[] = {
    {"--method", std::to_string(kMethodCount - 1), std::to_string(kMethodCount), MethodRangeText()},
    {"--metre", "0", "6", "auto or 0..5"},
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
    {"--stress", "dictionary", "guess", "rule or dictionary"},
    {"--tonic", "Bb", "H", "A# or Bb, B"},
    {"--mode", "minor", "dorian", "major, minor"},
    {"--range", "bass", "baritone", "soprano, alto, tenor, bass"},
};

TEST(Options, EveryOptionTakesItsFarEndAndRefusesJustPastIt) {
    const std::string help = OptionsHelp();
    for (const auto& c : kOptions) {
        const auto taken = Parse({c.option, c.good});
        ASSERT_TRUE(taken) << c.option;
        EXPECT_NE(*taken, *Parse({})) << c.option;
        EXPECT_EQ(Parse({c.option + "=" + c.good}), taken) << c.option;
        ExpectRefused({c.option, c.bad}, {c.option, "'" + c.bad + "'", c.allowed});
        ExpectRefused({c.option + "=" + c.bad}, {c.option, "'" + c.bad + "'", c.allowed});
        EXPECT_NE(help.find(c.option + " "), std::string::npos) << c.option;
    }
    for (const char* other :
         {"-o, --output OUT", "--ictus FILE", "--colour", "--soundfont SF2", "--ticks"})
        EXPECT_NE(help.find(other), std::string::npos) << other;
}

TEST(Options, MalformedCommandLines) {
    const std::pair<Args, Args> cases[] = {
        {{"--frobnicate", "verse.txt"}, {"--frobnicate", "no such option"}},
        {{"-x"}, {"-x", "no such option"}},
        {{"--colour=yes"}, {"--colour", "'yes'", "takes no value"}},
        {{"--version=2"}, {"--version", "'2'", "takes no value"}},
        {{"--reset-settings=yes"}, {"--reset-settings", "'yes'", "takes no value"}},
        {{"--key"}, {"--key", "a value is missing"}},
        {{"--method="}, {"--method", "''", MethodRangeText()}},
        {{"a.txt", "b.txt"}, {"'b.txt'", "only one verse file"}},
        {{"--dynamics", "0", "--boost", "1"}, {"--boost", "'1'", "0..0 for dynamics 0"}},
        // Without the hand-placed metre the file would be read by nothing.
        {{"--ictus", "i.txt"}, {"--ictus", "'i.txt'", "--metre 5"}},
        {{"--voice=alto"}, {"--voice", "'alto'", "male or female"}},
        {{"--voice-only=yes"}, {"--voice-only", "'yes'", "takes no value"}},
    };
    for (const auto& [args, named] : cases) ExpectRefused(args, named);
    // An unknown option takes no value with it: the next argument is not blamed.
    std::string error;
    Parse({"--frobnicate", "verse.txt"}, &error);
    EXPECT_EQ(error.find("verse.txt"), std::string::npos) << error;
}

// The process-level tests read the flags, the command and the file; these two are met nowhere
// else.
TEST(Options, AutoResetsTheMetreAndTheBoostFollowsTheDynamicsDownUnlessGiven) {
    EXPECT_EQ(Parse({"--metre", "3", "--metre", "auto"}), Parse({}));
    EXPECT_EQ(Parse({"--dynamics", "1"})->sound.boostPercent, 10);
    EXPECT_EQ(Parse({"--dynamics", "7"})->sound.boostPercent, 20);
    EXPECT_TRUE(Parse({"--reset-settings"})->resetSettings && !Parse({"--colour"})->resetSettings);
}

// The voice's name may be left out; the word after --voice is its name only when it is one.
TEST(Options, TheVoiceTakesItsNameOnlyWhenGivenOne) {
    const std::tuple<Args, VoiceKind, bool, std::string> cases[] = {
        {{"--voice", "v.txt"}, VoiceKind::kMale, false, "v.txt"},
        {{"--voice", "female", "v.txt"}, VoiceKind::kFemale, false, "v.txt"},
        {{"--voice=female", "--voice-only", "male"}, VoiceKind::kFemale, true, "male"},
        {{"v.txt", "--voice-only"}, VoiceKind::kMale, true, "v.txt"}};
    for (const auto& [args, singer, alone, file] : cases) {
        const auto o = Parse(args);
        EXPECT_TRUE(o && o->sound.singing && o->sound.singer == singer && o->voiceOnly == alone &&
                    o->file == file);
    }
}

} // namespace
} // namespace kvat::cli
