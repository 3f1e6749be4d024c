// kvat score: the layout's JSON as other programs read it, the pictures it writes without a
// display, and its failures.

#include "run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kvat::test {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A picture must come out on a machine with no display at all. The symbol font the pictures
// install goes to the test's own folder, not the user's.
void ForgetTheDisplay() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    const std::string folder = TempFile("fonts", "");
    std::remove(folder.c_str());
    setenv("KVAT_DATA_DIR", folder.c_str(), 1);
}

struct Score {
    RunResult run;
    QJsonObject json;

    std::vector<QJsonObject> Items(const QString& role) const {
        std::vector<QJsonObject> found;
        for (const auto& value : json["items"].toArray())
            if (value.toObject()["role"].toString() == role) found.push_back(value.toObject());
        return found;
    }
};

Score ScoreJson(const std::string& verse, std::vector<std::string> options) {
    const std::string out = TempFile("score.json", "");
    std::vector<std::string> args = {"score", "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    Score score;
    score.run = RunKvat(args, verse);
    QJsonParseError error;
    const QByteArray bytes = QByteArray::fromStdString(ReadFile(out));
    score.json = QJsonDocument::fromJson(bytes, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return score;
}

std::vector<int> Glyphs(const QJsonObject& item) {
    std::vector<int> codes;
    for (const auto& code : item["glyphs"].toArray()) codes.push_back(code.toInt());
    return codes;
}

// «мама» under the iamb with method 0 is «64», «64++», «0»; its rows «ма - », «ма », «_ ».
TEST(ScoreJson, ShortVerseLandsOnTheWindowGeometry) {
    const Score score = ScoreJson("мама\n", {"--metre", "1"});
    ASSERT_EQ(score.run.status, 0) << score.run.err;
    EXPECT_EQ(score.json["scrollMaximum"].toInt(), 3);
    EXPECT_EQ(score.json["canvas"].toObject()["width"].toDouble(), 4215 + 3 * 800);
    EXPECT_EQ(score.json["canvas"].toObject()["height"].toDouble(), 1575);
    EXPECT_EQ(score.json["colours"].toArray(), QJsonArray({"&HFF", "&HFF", "&HFFFFFF"}));

    const auto staff = score.Items("staff");
    ASSERT_EQ(staff.size(), 5u);
    EXPECT_NEAR(staff[0]["y"].toDouble(), 926.47, 0.01);
    EXPECT_NEAR(staff[4]["y"].toDouble(), 606.47, 0.01);
    EXPECT_EQ(staff[0]["kind"].toString(), "line");
    EXPECT_EQ(staff[0]["x2"].toDouble(), 4215);
    // Every column draws the staff on to the canvas's new width.
    const auto extensions = score.Items("staff-extension");
    ASSERT_EQ(extensions.size(), 15u);
    EXPECT_EQ(extensions.back()["x2"].toDouble(), 4215 + 3 * 800);

    const auto clef = score.Items("clef");
    ASSERT_EQ(clef.size(), 1u);
    EXPECT_NEAR(clef[0]["y"].toDouble(), 443.33, 0.01);
    EXPECT_EQ(clef[0]["font"].toString(), "Kvat Symbols");
    EXPECT_EQ(clef[0]["size"].toDouble(), 14);
    EXPECT_EQ(Glyphs(clef[0]), std::vector<int>{36});
    EXPECT_NEAR(score.Items("numerator")[0]["y"].toDouble(), 572.73, 0.01);
    EXPECT_NEAR(score.Items("denominator")[0]["y"].toDouble(), 732.56, 0.01);

    const auto notes = score.Items("note");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(Glyphs(notes[0]), std::vector<int>{59}); // eighth, stem up
    EXPECT_EQ(Glyphs(notes[1]), std::vector<int>{46}); // half, stem up
    EXPECT_EQ(notes[1]["x"].toDouble(), 1800);
    EXPECT_NEAR(notes[1]["y"].toDouble(), 686.47, 0.01);
    const auto rest = score.Items("rest");
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0]["x"].toDouble(), 2600);
    EXPECT_NEAR(rest[0]["y"].toDouble(), 632.5, 0.01);
    ASSERT_EQ(score.Items("accent").size(), 1u);
    EXPECT_EQ(score.Items("accent")[0]["x"].toDouble(), 1800);

    const auto syllables = score.Items("syllable");
    ASSERT_EQ(syllables.size(), 3u);
    EXPECT_EQ(syllables[0]["text"].toString(), QStringLiteral("ма - "));
    EXPECT_EQ(syllables[2]["text"].toString(), " ");
    EXPECT_EQ(syllables[0]["y"].toDouble(), 1275);
    EXPECT_TRUE(syllables[0]["italic"].toBool());
    EXPECT_EQ(syllables[0]["colour"].toInt(), 0x404040);
}

TEST(ScoreJson, HeaderAccentsAndColoursFollowTheOptions) {
    const Score score =
        ScoreJson("мама\n", {"--metre", "1", "--tempo", "0", "--dynamics", "7", "--time-signature",
                             "12/16", "--boost", "0", "--colour"});
    ASSERT_EQ(score.run.status, 0) << score.run.err;
    EXPECT_EQ(score.Items("tempo-term")[0]["text"].toString(), "Prestissimo");
    EXPECT_EQ(score.Items("tempo-note")[0]["x"].toDouble(), 400 + 90 * 11 + 150);
    EXPECT_EQ(score.Items("tempo-value")[0]["text"].toString(), " = 200");
    EXPECT_EQ(Glyphs(score.Items("dynamics")[0]), std::vector<int>{107});
    EXPECT_EQ(Glyphs(score.Items("numerator")[0]), (std::vector<int>{49, 50}));
    EXPECT_EQ(score.Items("numerator")[0]["x"].toDouble(), 350);
    EXPECT_EQ(Glyphs(score.Items("denominator")[0]), (std::vector<int>{49, 54}));
    EXPECT_TRUE(score.Items("accent").empty()) << "no stress boost, no accents";
    const auto syllables = score.Items("syllable");
    ASSERT_EQ(syllables.size(), 3u);
    EXPECT_EQ(syllables[0]["colour"].toInt(), 0x0000FF);
    EXPECT_EQ(syllables[2]["colour"].toInt(), 0xFFFFFF);
}

TEST(ScoreJson, EmptyVerseGivesTheHeaderAlone) {
    const Score score = ScoreJson("", {});
    EXPECT_EQ(score.run.status, 0);
    EXPECT_NE(score.run.err.find("no melody"), std::string::npos);
    EXPECT_EQ(score.json["scrollMaximum"].toInt(), 0);
    EXPECT_TRUE(score.json["colours"].toArray().isEmpty());
    EXPECT_EQ(score.Items("clef").size(), 1u);
    EXPECT_TRUE(score.Items("note").empty());
}

TEST(ScoreJson, OrthographyMessagesGoToStandardError) {
    const std::string verse = "сказал б\n";
    const Score score = ScoreJson(verse, {});
    EXPECT_EQ(score.run.status, 0);
    const RunResult syllables = RunKvat({"syllables"}, verse);
    ASSERT_FALSE(syllables.err.empty());
    EXPECT_EQ(score.run.err, syllables.err);
}

class ScorePicture : public testing::TestWithParam<std::string> {};

TEST_P(ScorePicture, WrittenWithoutADisplay) {
    ForgetTheDisplay();
    const std::string out = TempFile("score." + GetParam(), "");
    const RunResult run =
        RunKvat({"score", "-o", out, "--colour"}, "Мой дядя самых честных правил,\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string bytes = ReadFile(out);
    if (GetParam() == "png") {
        ASSERT_GT(bytes.size(), 24u);
        EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
        // IHDR: width and height, big-endian, at bytes 16 and 20. Nine vowels, one line end:
        // (4215 + 10 · 800) × 1575 twips at 15 twips a pixel.
        const auto word = [&](std::size_t at) {
            return (std::uint8_t(bytes[at]) << 24) | (std::uint8_t(bytes[at + 1]) << 16) |
                   (std::uint8_t(bytes[at + 2]) << 8) | std::uint8_t(bytes[at + 3]);
        };
        EXPECT_EQ(word(16), 815u);
        EXPECT_EQ(word(20), 105u);
    } else if (GetParam() == "svg") {
        EXPECT_NE(bytes.find("<svg"), std::string::npos);
        EXPECT_NE(bytes.find("</svg>"), std::string::npos);
        EXPECT_EQ(bytes.find("<text"), std::string::npos);
    } else {
        EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
        EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ScorePicture, testing::Values("png", "svg", "pdf"),
                         [](const auto& info) { return info.param; });

TEST(ScoreFailures, BadOutputsAndOverwidePictures) {
    const RunResult noOutput = RunKvat({"score"}, "мама\n");
    EXPECT_EQ(noOutput.status, 2);
    EXPECT_NE(noOutput.err.find("-o"), std::string::npos);
    EXPECT_EQ(RunKvat({"score", "-o", TempFile("score.gif", "")}, "мама\n").status, 2);

    ForgetTheDisplay();
    const RunResult unwritable = RunKvat({"score", "-o", "/nonexistent/kvat/score.png"}, "мама\n");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("/nonexistent/kvat/score.png"), std::string::npos);

    // 700 syllables: wider than a picture may be, but any PDF length is fine.
    std::string verse;
    for (int line = 0; line < 70; ++line) verse += "мама мама мама мама мама\n";
    const std::string png = TempFile("long.png", "");
    const RunResult tooWide = RunKvat({"score", "-o", png}, verse);
    EXPECT_EQ(tooWide.status, 1);
    EXPECT_EQ(std::count(tooWide.err.begin(), tooWide.err.end(), '\n'), 1) << tooWide.err;
    EXPECT_NE(tooWide.err.find(".pdf"), std::string::npos);
    const RunResult pdf = RunKvat({"score", "-o", TempFile("long.pdf", "")}, verse);
    EXPECT_EQ(pdf.status, 0) << pdf.err;
}

} // namespace
} // namespace kvat::test
