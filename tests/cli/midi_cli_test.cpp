// kvat midi: the reviewed whole-verse files from the command line, standard output, the sound
// options reaching the file, and failures that leave no half-written file. Every file written
// is read back by mido.

#include "../midi/mido_reader.h"
#include "run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kvat::test {
namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Data(const std::string& path) {
    return std::string(KVAT_TEST_DATA) + "/" + path;
}

struct WholeVerse {
    const char* name;
    const char* options; // separated by spaces
    friend std::ostream& operator<<(std::ostream& out, const WholeVerse& v) {
        return out << v.name;
    }
};

class ReviewedVerse : public testing::TestWithParam<WholeVerse> {};

TEST_P(ReviewedVerse, WritesTheReviewedFile) {
    const std::string name = GetParam().name;
    const std::string out = TempFile(name + ".mid", "an older file");
    std::vector<std::string> args = {"midi", Data("verse/" + name + ".txt"), "-o", out};
    std::istringstream options(GetParam().options);
    for (std::string option; options >> option;) args.push_back(option);
    const auto run = RunKvat(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_TRUE(ReadBytes(out) == ReadBytes(Data("midi/" + name + ".mid")))
        << out << " differs from the reviewed file";
    EXPECT_TRUE(ReadWithMido(out).accepted);
}

// The settings of the library's whole-verse fixtures, as options.
INSTANTIATE_TEST_SUITE_P(
    AllPartsOn, ReviewedVerse,
    testing::Values(
        WholeVerse{"winter-evening", "--method 0 --lengthen no --group strings --drums 45,51 "
                                     "--accompaniment 89"},
        WholeVerse{"onegin", "--method 3 --soprano 73 --mezzo 40 --tenor 32 --bass 0 "
                             "--dynamics 7 --boost 7 --tempo 0 --effect sustain --drums 36,42 "
                             "--drum-map 3 --accompaniment 48 --time-signature 3/4"},
        WholeVerse{"peasant-children", "--method 8 --group brass --tempo 38 --effect modulation "
                                       "--drums 45,51 --drum-map 10 --accompaniment 89 "
                                       "--time-signature 12/16"}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// One iamb line: the melody 64, 64++, 0 (the second syllable stressed and line-final).
const std::string kLine = "мама\n";

TEST(MidiCommand, DashSendsTheSameBytesToStandardOutput) {
    const std::string out = TempFile("dash.mid", "");
    ASSERT_EQ(RunKvat({"midi", "--metre", "1", "-o", out}, kLine).status, 0);
    const auto run = RunKvat({"midi", "--metre", "1", "-o", "-"}, kLine);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out == ReadBytes(out));
    EXPECT_TRUE(ReadWithMido(out).accepted);
}

MidoReading Midi(const std::vector<std::string>& options, const std::string& name) {
    const std::string out = TempFile(name, "");
    std::vector<std::string> args = {"midi", "--metre", "1", "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    const auto run = RunKvat(args, kLine);
    EXPECT_EQ(run.status, 0) << run.err;
    const auto reading = ReadWithMido(out);
    EXPECT_TRUE(reading.accepted) << reading.output;
    return reading;
}

TEST(MidiCommand, BoostFollowsTheDynamicsAndAGroupOverridesSingleVoices) {
    // Dynamics 7 is 30; the boost defaults to 2 (20 on the stressed note) and may rise to 7.
    auto notes = Midi({"--dynamics", "7"}, "soft.mid").Of("note_on", 0);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(std::vector({notes[0].second, notes[1].second}), std::vector({57, 77}));
    EXPECT_EQ(Midi({"--dynamics", "7", "--boost", "7"}, "boost.mid").Of("note_on", 0)[1].second,
              127);
    EXPECT_EQ(Midi({"--dynamics", "0"}, "loud.mid").Of("note_on", 0)[1].second, 127);

    const auto reading = Midi({"--mezzo", "5", "--group", "woodwind"}, "group.mid");
    EXPECT_EQ(reading.Of("program", 1).at(0).first, 68);
    EXPECT_EQ(reading.Of("note_on", 3).size(), 2u); // the bass under both notes, not the rest
}

TEST(MidiCommand, FailuresWriteNothingAndSaySoInOneLine) {
    const auto noOutput = RunKvat({"midi"}, kLine);
    EXPECT_EQ(noOutput.status, 2);
    EXPECT_NE(noOutput.err.find("-o"), std::string::npos);
    EXPECT_EQ(std::count(noOutput.err.begin(), noOutput.err.end(), '\n'), 1);
    // No melody and unwritable targets: output_files_cli_test.cpp, for every format.
}

} // namespace
} // namespace kvat::test
