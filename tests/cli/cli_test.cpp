// The command-line contract of analyse, syllables and report, as other programs rely on it.

#include "run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace kvat::test {
namespace {

std::string Data(const std::string& name) { return std::string(KVAT_TEST_DATA) + "/verse/" + name; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class VerseFixture : public testing::TestWithParam<std::string> {};

TEST_P(VerseFixture, AnalyseAndSyllablesMatchTheReviewedOutput) {
    const std::string verse = Data(GetParam() + ".txt");
    const auto analyse = RunKvat({"analyse", verse});
    EXPECT_EQ(analyse.status, 0);
    EXPECT_EQ(analyse.out, ReadFile(Data(GetParam() + ".analyse.json")));
    const auto syllables = RunKvat({"syllables", verse});
    EXPECT_EQ(syllables.status, 0);
    EXPECT_EQ(syllables.out, ReadFile(Data(GetParam() + ".rows")));
    EXPECT_EQ(syllables.err, ReadFile(Data(GetParam() + ".messages")));
}

INSTANTIATE_TEST_SUITE_P(Verses, VerseFixture,
                         testing::Values("onegin", "winter-evening", "peasant-children"));

TEST(Input, LineEndsByteOrderMarkAndTheFinalLineBreak) {
    const std::string lf = "мама мыла раму\nдорога\n";
    const auto expected = RunKvat({"analyse"}, lf);
    ASSERT_EQ(expected.status, 0);
    EXPECT_EQ(RunKvat({"analyse", "-"}, "\xEF\xBB\xBF" "мама мыла раму\r\nдорога\r\n").out,
              expected.out);
    EXPECT_EQ(RunKvat({"analyse", TempFile("v.txt", "мама мыла раму\nдорога")}).out, expected.out);
    // Further blank lines are kept, as the editor would keep them.
    EXPECT_NE(RunKvat({"analyse"}, lf + "\n").out.find(R"("stress": ["010101", "010", ""])"),
              std::string::npos);
}

TEST(Input, UnreadableOrNonTextFilesGiveOneLineAndStatusTwo) {
    const auto bad = RunKvat({"syllables", TempFile("bad.txt", "лес\xFF\xFE")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(bad.err.find("bad.txt"), std::string::npos);
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1);

    const auto missing = RunKvat({"analyse", "/nonexistent/verse.txt"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("/nonexistent/verse.txt"), std::string::npos);

    std::mt19937 random(7);
    std::string noise(1 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    for (const char* command : {"analyse", "syllables", "report"})
        EXPECT_EQ(RunKvat({command}, noise).status, 2) << command;
}

TEST(Analyse, EmptyVerseChoosesNothing) {
    const auto empty = RunKvat({"analyse"}, "");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(RunKvat({"analyse"}, "\n").out, empty.out);
    EXPECT_EQ(empty.out, "{\"stress\": [],\n \"scores\": [0, 0, 0, 0, 0],\n \"metre\": null,\n"
                         " \"items\": [],\n \"ictus\": []}\n");
}

TEST(Analyse, MetreOptionChoosesTheColouredIctuses) {
    const std::string verse = "мама мыла раму\nдорога";
    EXPECT_NE(RunKvat({"analyse"}, verse).out.find(R"("ictus": [3, 8, 13, 18])"), std::string::npos);
    EXPECT_NE(RunKvat({"analyse", "--metre", "0"}, verse).out.find(R"("ictus": [1, 6, 11, 16, 20])"),
              std::string::npos);
    const std::string ictus = TempFile("ictus.txt", "100001\n01x\n");
    EXPECT_NE(RunKvat({"analyse", "--metre", "5", "--ictus", ictus}, verse)
                  .out.find(R"("ictus": [1, 13, 18])"),
              std::string::npos);
}

TEST(Report, FollowsTheColoursOfTheChosenMetreOrThePaintedOnes) {
    const std::string verse = "мама мыла раму\nдорога";
    const std::string head = "Kvat-1.05: О стихотворении\n\nСтруктура стихотворения:\n\n";
    const std::string legend = "где, 1 - ударная гласная, 0 - безударная гласная.\n";
    EXPECT_EQ(RunKvat({"report"}, verse).out, head + "010101\n010\n\n" + legend);
    EXPECT_EQ(RunKvat({"report", "--metre", "3"}, verse).out, head + "100100\n100\n\n" + legend);
    EXPECT_EQ(RunKvat({"report", "--metre", "5"}, verse).out, head + "000000\n000\n\n" + legend);
    const std::string ictus = TempFile("report-ictus.txt", "11\n\n");
    EXPECT_EQ(RunKvat({"report", "--metre=5", "--ictus", ictus}, verse).out,
              head + "110000\n000\n\n" + legend);
}

TEST(Usage, VersionHelpAndBadOptions) {
    EXPECT_EQ(RunKvat({"--version"}).out, "Kvat 1.05\n");
    const auto help = RunKvat({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"analyse", "syllables", "report", "--metre", "--time-signature"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;

    struct Bad {
        std::vector<std::string> args;
        std::string named;
    };
    const Bad cases[] = {
        {{"analyse", "--metre", "6"}, "--metre"},
        {{"analyse", "--method", "x"}, "--method"},
        {{"analyse", "--key", "8"}, "--key"},
        {{"analyse", "--dynamics", "0", "--boost", "1"}, "--boost"},
        {{"analyse", "--time-signature", "12/4"}, "--time-signature"},
        {{"analyse", "--note-map", "1,2,3"}, "--note-map"},
        {{"analyse", "--metre"}, "--metre"},
        {{"analyse", "--frobnicate", "1"}, "--frobnicate"},
        {{"dance"}, "dance"},
    };
    for (const auto& c : cases) {
        const auto r = RunKvat(c.args, "лес");
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

} // namespace
} // namespace kvat::test
