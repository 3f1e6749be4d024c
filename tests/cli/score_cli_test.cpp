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

// As on a machine with no display. The symbol font the pictures install goes to the test's own
// folder, not the user's.
void ForgetTheDisplay() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    const std::string folder = TempFile("fonts", "");
    std::remove(folder.c_str());
    setenv("KVAT_DATA_DIR", folder.c_str(), 1);
}

// The items of one role, from the JSON `kvat score` writes for `verse`.
struct ScoreJson {
    RunResult run;
    QJsonObject json;

    ScoreJson(const std::string& verse, std::vector<std::string> options) {
        const std::string out = TempFile("score.json", "");
        options.insert(options.begin(), {"score", "-o", out});
        run = RunKvat(options, verse);
        json = QJsonDocument::fromJson(QByteArray::fromStdString(ReadFile(out))).object();
    }
    QJsonObject Item(const QString& role, int index = 0) const {
        for (const auto& value : json["items"].toArray())
            if (value.toObject()["role"].toString() == role && index-- == 0)
                return value.toObject();
        return {};
    }
    QJsonArray Glyphs(const QString& role, int index = 0) const {
        return Item(role, index)["glyphs"].toArray();
    }
};

// «мама» under the iamb with method 0 is «64», «64++», «0»; its rows «ма - », «ма », «_ ».
TEST(ScoreCli, JsonIsTheLayoutInTwips) {
    const ScoreJson score("мама\n", {"--metre", "1"});
    ASSERT_EQ(score.run.status, 0) << score.run.err;
    EXPECT_EQ(score.json["scrollMaximum"].toInt(), 3);
    EXPECT_EQ(score.json["canvas"].toObject()["width"].toDouble(), 4215 + 3 * 800);
    EXPECT_EQ(score.json["colours"].toArray(), QJsonArray({"&HFF", "&HFF", "&HFFFFFF"}));
    // The staff is written as its five lines, glyphs as their codes, text as itself.
    EXPECT_NEAR(score.Item("staff", 0)["y"].toDouble(), 926.47, 0.01);
    EXPECT_NEAR(score.Item("staff", 4)["y2"].toDouble(), 606.47, 0.01);
    EXPECT_EQ(score.Item("staff-extension", 14)["x2"].toDouble(), 4215 + 3 * 800);
    EXPECT_EQ(score.Glyphs("note", 1), QJsonArray({46}));
    EXPECT_NEAR(score.Item("note", 1)["y"].toDouble(), 686.47, 0.01);
    EXPECT_EQ(score.Item("syllable")["text"].toString(), QStringLiteral("ма - "));
}

TEST(ScoreCli, HeaderAccentsAndColoursFollowTheSoundOptions) {
    const ScoreJson score("мама\n", {"--metre", "1", "--tempo", "0", "--dynamics", "7",
                                     "--time-signature", "12/16", "--boost", "0", "--colour"});
    ASSERT_EQ(score.run.status, 0) << score.run.err;
    EXPECT_EQ(score.Item("tempo-term")["text"].toString(), "Prestissimo");
    EXPECT_EQ(score.Item("tempo-note")["x"].toDouble(), 400 + 90 * 11 + 150);
    EXPECT_EQ(score.Item("tempo-value")["text"].toString(), " = 200");
    EXPECT_EQ(score.Glyphs("dynamics"), QJsonArray({107}));
    EXPECT_EQ(score.Glyphs("numerator"), QJsonArray({49, 50}));
    EXPECT_EQ(score.Glyphs("denominator"), QJsonArray({49, 54}));
    EXPECT_TRUE(score.Item("accent").isEmpty()) << "no stress boost, no accents";
    EXPECT_EQ(score.Item("syllable")["colour"].toInt(), 0x0000FF);
}

TEST(ScoreCli, OrthographyMessagesAsTheSyllableDivisionGivesThem) {
    const ScoreJson faulty("сказал б\n", {});
    EXPECT_EQ(faulty.run.status, 0);
    EXPECT_EQ(faulty.run.err, RunKvat({"syllables"}, "сказал б\n").err);
    EXPECT_FALSE(faulty.run.err.empty());
}

TEST(ScoreCli, PicturesWithoutADisplay) {
    ForgetTheDisplay();
    const std::pair<std::string, std::string> formats[] = {
        {"png", "\x89PNG\r\n\x1a\n"}, {"svg", "<?xml"}, {"pdf", "%PDF-"}};
    for (const auto& [extension, header] : formats) {
        const std::string out = TempFile("score." + extension, "");
        const RunResult run = RunKvat({"score", "-o", out}, "Мой дядя самых честных правил,\n");
        ASSERT_EQ(run.status, 0) << extension << ": " << run.err;
        EXPECT_EQ(run.err, "");
        const std::string bytes = ReadFile(out);
        EXPECT_EQ(bytes.substr(0, header.size()), header) << extension;
        if (extension == "png") {
            // IHDR width: nine vowels and a line end, (4215 + 10 · 800) / 15 twips a pixel.
            EXPECT_EQ(bytes.substr(16, 4), std::string("\0\0\x03\x2f", 4));
        }
        if (extension == "svg") {
            EXPECT_EQ(bytes.find("<text"), std::string::npos);
        }
    }
}

TEST(ScoreCli, BadOutputsAndOverwidePictures) {
    ForgetTheDisplay();
    EXPECT_EQ(RunKvat({"score"}, "мама\n").status, 2);
    EXPECT_EQ(RunKvat({"score", "-o", TempFile("score.gif", "")}, "мама\n").status, 2);

    // 770 columns: too wide for a picture, 44 pages of ten inches as a PDF.
    std::string verse;
    for (int line = 0; line < 70; ++line) verse += "мама мама мама мама мама\n";
    const RunResult tooWide = RunKvat({"score", "-o", TempFile("long.png", "")}, verse);
    EXPECT_EQ(tooWide.status, 1);
    EXPECT_EQ(std::count(tooWide.err.begin(), tooWide.err.end(), '\n'), 1) << tooWide.err;
    const std::string pdf = TempFile("long.pdf", "");
    EXPECT_EQ(RunKvat({"score", "-o", pdf}, verse).status, 0);
    const std::string bytes = ReadFile(pdf);
    std::size_t pages = 0;
    for (auto at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1))
        ++pages;
    EXPECT_EQ(pages, 44u);
}

} // namespace
} // namespace kvat::test
