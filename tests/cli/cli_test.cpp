// The command line as other programs rely on it: how the verse is read, exit statuses with one
// line on standard error, standard output for MIDI, and pictures without a display.

#include "run.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

namespace kvat::test {
namespace {

const std::string kVerse = "мама мыла раму\nдорога";

TEST(Input, LineEndsByteOrderMarkAndTheFinalLineBreak) {
    const auto expected = RunKvat({"analyse"}, kVerse + "\n");
    ASSERT_EQ(expected.status, 0);
    EXPECT_EQ(RunKvat({"analyse", "-"}, "\xEF\xBB\xBF"
                                        "мама мыла раму\r\nдорога\r\n")
                  .out,
              expected.out);
    EXPECT_EQ(RunKvat({"analyse", TempFile("v.txt", kVerse)}).out, expected.out);
    // Further blank lines are kept, as the editor would keep them.
    EXPECT_NE(RunKvat({"analyse"}, kVerse + "\n\n").out.find(R"("stress": ["010101", "010", ""])"),
              std::string::npos);
    EXPECT_EQ(RunKvat({"analyse"}, "\n").out,
              "{\"stress\": [],\n \"scores\": [0, 0, 0, 0, 0],\n"
              " \"metre\": null,\n \"items\": [],\n \"ictus\": []}\n");
}

TEST(Input, NonTextIsAUsageErrorForEveryTextCommand) {
    ExpectRefused(RunKvat({"syllables", TempFile("bad.txt", "лес\xFF\xFE")}), 2, {"bad.txt"});
    std::mt19937 random(7);
    std::string noise(1 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    for (const char* command : {"analyse", "syllables", "report", "melody"})
        ExpectRefused(RunKvat({command}, noise), 2, {"standard input", "not UTF-8"});
}

TEST(Usage, VersionHelpAndErrorsWithStatusTwo) {
    EXPECT_EQ(RunKvat({"--version"}).out, "Kvat 1.05\n");
    const auto help = RunKvat({"-h"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"analyse", "syllables", "report", "melody", "midi", "audio", "score",
                             "--time-signature N/D"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    const std::pair<Args, Args> cases[] = {
        {{"dance"}, {"'dance'", "no such subcommand"}},
        {{"melody", "--key", "8"}, {"--key", "'8'"}},
        {{"analyse", "/nonexistent/verse.txt"}, {"/nonexistent/verse.txt"}},
        {{"melody", "--metre", "5", "--ictus", "/nonexistent/i.txt"}, {"/nonexistent/i.txt"}},
        {{"audio", "-o", "x.wav", "--soundfont", "/nonexistent/gm.sf2"}, {"/nonexistent/gm.sf2"}},
        {{"score", "--output", "score.gif"}, {"score.gif", ".png"}},
        {{"score"}, {"-o"}},
        {{"midi"}, {"-o"}},
        {{"audio"}, {"-o"}},
    };
    for (const auto& [args, named] : cases) ExpectRefused(RunKvat(args, kVerse), 2, named);
}

TEST(Melody, ADrawnNoteMapFollowsTheSeedWithinTheOctaves) {
    const std::string vowels = "а е ё и о у ы э ю я\n";
    const Args seeded = {"melody", "--method", "2", "--seed", "11", "--octave", "2"};
    const auto first = RunKvat(seeded, vowels);
    EXPECT_EQ(first.out, RunKvat(seeded, vowels).out);
    std::istringstream tokens(first.out);
    for (std::string token; std::getline(tokens, token);)
        if (token != "0") EXPECT_TRUE(token >= "72" && token < "84") << token;
    ExpectRefused(RunKvat({"melody", "--method", "4"}, ""), 1, {"standard input", "no melody"});
}

std::string MidiOut(Args options) {
    options.insert(options.begin(), {"midi", "-o", "-"});
    const auto run = RunKvat(options, kVerse);
    EXPECT_EQ(run.err, "");
    return run.out;
}

TEST(Midi, DashWritesTheFileToStandardOutputAndFailuresWriteNothing) {
    const std::string out = TempFile("dash.mid", "");
    ASSERT_EQ(RunKvat({"midi", "-o", out}, kVerse).status, 0);
    EXPECT_TRUE(MidiOut({}) == ReadFile(out));
    // A group overrides the single voices.
    EXPECT_EQ(MidiOut({"--mezzo", "5", "--group", "woodwind"}), MidiOut({"--group", "woodwind"}));
    EXPECT_NE(MidiOut({"--mezzo", "5"}), MidiOut({}));
    // An empty verse has no melody: the earlier file stays as it was.
    ExpectRefused(RunKvat({"midi", "-o", out}, ""), 1, {"no melody"});
    EXPECT_EQ(ReadFile(out), MidiOut({}));
    ExpectRefused(RunKvat({"midi", "-o", out + "/x.mid"}, kVerse), 1, {out + "/x.mid"});
}

TEST(Score, PicturesWithoutADisplay) {
    // As on a machine with no display; the symbol font the pictures install goes to the test's
    // own folder, not the user's.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    setenv("KVAT_DATA_DIR", (TempFile("fonts", "") + ".d").c_str(), 1);
    const std::pair<std::string, std::string> formats[] = {
        {"png", "\x89PNG\r\n\x1a\n"}, {"svg", "<?xml"}, {"pdf", "%PDF-"}};
    std::map<std::string, std::string> bytes;
    for (const auto& [extension, header] : formats) {
        const std::string out = TempFile("score." + extension, "");
        const RunResult run = RunKvat({"score", "-o", out}, "Мой дядя самых честных правил,\n");
        EXPECT_EQ(run.status + run.err.size(), 0u) << extension << ": " << run.err;
        bytes[extension] = ReadFile(out);
        EXPECT_EQ(bytes[extension].substr(0, header.size()), header) << extension;
    }
    // IHDR width: nine vowels and a line end, (4215 + 10 · 800) / 15 twips a pixel.
    EXPECT_EQ(bytes["png"].substr(16, 4), std::string("\0\0\x03\x2f", 4));
    EXPECT_EQ(bytes["svg"].find("<text"), std::string::npos);
    ExpectRefused(RunKvat({"score", "-o", "/nonexistent/kvat/score.png"}, kVerse), 1,
                  {"/nonexistent/kvat/score.png"});
    // 770 columns: too wide for a picture, 44 pages of ten inches as a PDF.
    std::string verse;
    for (int line = 0; line < 70; ++line) verse += "мама мама мама мама мама\n";
    ExpectRefused(RunKvat({"score", "-o", TempFile("long.png", "")}, verse), 1, {"long.png"});
    const std::string pdf = TempFile("long.pdf", "");
    EXPECT_EQ(RunKvat({"score", "-o", pdf}, verse).status, 0);
    const std::string pages = ReadFile(pdf);
    std::size_t count = 0;
    for (auto at = pages.find("/Type /Page\n"); at != std::string::npos;
         at = pages.find("/Type /Page\n", at + 1))
        ++count;
    EXPECT_EQ(count, 44u);
}

} // namespace
} // namespace kvat::test
