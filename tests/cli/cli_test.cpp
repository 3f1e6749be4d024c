// The command line as other programs rely on it: how the verse is read, failures with their
// exit status and one line on standard error, standard output for MIDI, and pictures without a
// display.

#include "cli/options.h"
#include "run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace kvat::test {
namespace {

const std::string kVerse = "мама мыла раму\nдорога";

std::string Repeated(const std::string& line, int count) {
    std::string text;
    while (count-- > 0) text += line;
    return text;
}
// 770 columns: too wide for a picture, 44 pages of ten inches as a PDF.
const std::string kWide = Repeated("мама мама мама мама мама\n", 70);

TEST(Input, LineEndsByteOrderMarkAndTheFinalLineBreak) {
    const auto expected = RunKvat({"analyse"}, kVerse + "\n");
    ASSERT_EQ(expected.status, 0);
    EXPECT_EQ(RunKvat({"analyse", "-"}, "\xEF\xBB\xBF" + kVerse + "\r\n").out, expected.out);
    EXPECT_EQ(RunKvat({"analyse", TempFile("v.txt", kVerse)}).out, expected.out);
    // Further blank lines are kept, as the editor would keep them.
    EXPECT_NE(RunKvat({"analyse"}, kVerse + "\n\n").out.find(R"("stress": ["010101", "010", ""])"),
              std::string::npos);
    EXPECT_EQ(RunKvat({"analyse"}, "\n").out,
              "{\"stress\": [],\n \"scores\": [0, 0, 0, 0, 0],\n"
              " \"metre\": null,\n \"items\": [],\n \"ictus\": [],\n"
              " \"rhymes\": [],\n \"clausulae\": [],\n \"rhyme_exact\": []}\n");
}

// One entry per line of the input in each rhyme key, after the keys that were there before; a
// rhyme never reaches over a blank line.
TEST(Analyse, RhymesClausulaeAndExactnessPerLine) {
    const std::string verse = "Буря мглою небо кроет,\nВихри снежные крутя;\n\n* * *\n"
                              "То, как зверь, она завоет,\nТо заплачет, как дитя,\n"
                              "То как зверь она завоет";
    const auto run = RunKvat({"analyse", "--stress", "dictionary"}, verse);
    ASSERT_EQ(run.status, 0);
    EXPECT_LT(run.out.find("\"ictus\": ["), run.out.find("\"rhymes\""));
    const std::string keys = ",\n \"rhymes\": [\"-\", \"-\", \"\", \"\", \"A\", \"-\", \"A\"],\n"
                             " \"clausulae\": [\"f\", \"m\", \"\", \"\", \"f\", \"m\", \"f\"],\n"
                             " \"rhyme_exact\": [null, null, null, null, true, null, true]}\n";
    EXPECT_TRUE(run.out.ends_with(keys)) << run.out;
}

// The command users type holds no window, picture or sound library: those are kvat-desktop's.
TEST(Process, KvatLinksNoWindowPictureOrSoundLibrary) {
    const std::string libraries = Output("ldd " KVAT_BINARY);
    ASSERT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
    for (const char* name : {"libQt6", "libfluidsynth", "libasound", "libespeak", "librtmidi"})
        EXPECT_EQ(libraries.find(name), std::string::npos) << name;
}

TEST(Usage, VersionAndHelp) {
    EXPECT_EQ(RunKvat({"--version"}).out, "Kvat 1.05\n");
    const auto help = RunKvat({"-h"});
    EXPECT_EQ(help.status, 0);
    const std::string options = cli::OptionsHelp();
    for (const std::string word :
         {"analyse", "syllables", "report", "melody", "midi", "audio", "score", options.c_str()})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

// Each case: the command line (the verse on standard input), the exit status, and what the one
// line on standard error names, parted by "|".
TEST(Failures, StatusTwoForUsageOneAtRunTimeAndNoFileLeft) {
    const std::string wav = TempFile("none.wav", ""), mid = TempFile("kept.mid", "earlier");
    std::filesystem::remove(wav);
    // 4 000 lines at the slowest tempo play for about eight hours; 16-bit stereo WAV holds
    // 6 h 45 min.
    const std::string eightHours = Repeated("Мороз и солнце; день чудесный!\n", 4000);
    const std::tuple<std::string, std::string, int, std::string> cases[] = {
        {"dance", kVerse, 2, "'dance'|no such subcommand"},
        {"melody --key 8", kVerse, 2, "--key|'8'"},
        {"syllables " + TempFile("bad.txt", "лес\xFF"), "", 2, "bad.txt|not UTF-8"},
        {"melody", "лес\xFF", 2, "standard input|not UTF-8"},
        {"analyse /nonexistent/verse.txt", "", 2, "/nonexistent/verse.txt"},
        {"melody --metre 5 --ictus /nonexistent/i.txt", kVerse, 2, "/nonexistent/i.txt"},
        {"score --output score.gif", kVerse, 2, "score.gif|.png"},
        {"score", kVerse, 2, "-o"},
        {"midi", kVerse, 2, "-o"},
        {"audio", kVerse, 2, "-o"},
        {"audio -o " + wav + " --soundfont /nonexistent/gm.sf2", kVerse, 2, "/nonexistent/gm.sf2"},
        {"audio -o " + wav + " --soundfont " + mid, kVerse, 2, mid + "|not a SoundFont"},
        {"melody --method 4", "", 1, "standard input|no melody"},
        {"midi -o " + mid, "", 1, "no melody"},
        {"midi -o " + mid + "/x.mid", kVerse, 1, mid + "/x.mid"},
        {"score -o /nonexistent/kvat/score.png", kVerse, 1, "/nonexistent/kvat/score.png"},
        {"score -o " + TempFile("wide.png", ""), kWide, 1, "wide.png"},
        {"audio -o /nonexistent/out.wav", kVerse, 1, "/nonexistent/out.wav"},
        {"audio --tempo 38 -o " + wav, eightHours, 1, wav + "|more than a WAV file holds"},
    };
    for (const auto& [command, input, status, named] : cases)
        ExpectRefused(RunKvat(Words(command), input), status, Words(named, '|'));
    EXPECT_EQ(ReadFile(mid), "earlier");
    EXPECT_FALSE(std::filesystem::exists(wav) || std::filesystem::exists(wav + ".part"));
}

TEST(Melody, ADrawnNoteMapFollowsTheSeedWithinTheOctaves) {
    const std::string vowels = "а е ё и о у ы э ю я\n";
    const Args seeded = {"melody", "--method", "2", "--seed", "11", "--octave", "2"};
    const auto first = RunKvat(seeded, vowels);
    EXPECT_EQ(first.out, RunKvat(seeded, vowels).out);
    std::istringstream tokens(first.out);
    for (std::string token; std::getline(tokens, token);)
        EXPECT_TRUE(token == "0" || (token >= "72" && token < "84")) << token;
}

std::string MidiOut(Args options) {
    options.insert(options.begin(), {"midi", "-o", "-"});
    const auto run = RunKvat(options, kVerse);
    EXPECT_EQ(run.err, "");
    return run.out;
}

TEST(Midi, DashWritesTheFileToStandardOutputAndAGroupOverridesTheSingleVoices) {
    const std::string out = TempFile("dash.mid", "");
    ASSERT_EQ(RunKvat({"midi", "-o", out}, kVerse).status, 0);
    EXPECT_TRUE(MidiOut({}) == ReadFile(out));
    EXPECT_EQ(MidiOut({"--mezzo", "5", "--group", "woodwind"}), MidiOut({"--group", "woodwind"}));
    EXPECT_NE(MidiOut({"--mezzo", "5"}), MidiOut({}));
}

TEST(Score, PicturesWithoutADisplay) {
    // As on a machine with no display; the symbol font the pictures install goes to the test's
    // own folder, not the user's.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
    setenv("KVAT_DATA_DIR", (TempFile("fonts", "") + ".d").c_str(), 1);
    std::string bytes;
    for (const auto& [extension, header] :
         {std::pair{"png", "\x89PNG\r\n\x1a\n"}, {"svg", "<?xml"}, {"pdf", "%PDF-"}}) {
        const std::string out = TempFile(std::string("score.") + extension, "");
        const RunResult run = RunKvat({"score", "-o", out}, "Мой дядя самых честных правил,\n");
        EXPECT_EQ(run.status + run.err.size(), 0u) << extension << ": " << run.err;
        bytes = ReadFile(out);
        EXPECT_TRUE(bytes.starts_with(header)) << extension;
        // The PNG's IHDR width: nine vowels and a line end, (4215 + 10 · 800) / 15 twips a
        // pixel; the SVG's text drawn as paths.
        EXPECT_TRUE(extension != std::string("png") ||
                    bytes.substr(16, 4) == std::string("\0\0\x03\x2f", 4));
        EXPECT_TRUE(extension != std::string("svg") || bytes.find("<text") == std::string::npos);
    }
    const std::string pdf = TempFile("long.pdf", "");
    EXPECT_EQ(RunKvat({"score", "-o", pdf}, kWide).status, 0);
    bytes = ReadFile(pdf);
    std::size_t pages = 0;
    for (auto at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1))
        ++pages;
    // 70 systems of eleven notes: seven, then eight a page on A4; six, then seven on US Letter,
    // as the machine's locale prints.
    EXPECT_TRUE(pages == 9u || pages == 11u) << pages;
}

} // namespace
} // namespace kvat::test
