// kvat audio: a WAV file that sounds from its start and lasts as long as the MIDI file `kvat midi`
// writes for the same options, both measured by readers that are not ours; mistakes that leave
// no file.

#include "run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace kvat::test {
namespace {

const std::string kVerse = "Мороз и солнце; день чудесный!\nЕщё ты дремлешь, друг прелестный —\n";

std::istringstream Measure(const std::string& files) {
    return std::istringstream(Output(std::string(KVAT_PYTHON) + " " + SOUND_LENGTH + " " + files));
}

TEST(AudioCli, TheWavSoundsFromTheStartAndLastsAsLongAsTheMidiFile) {
    const std::string verse = TempFile("frost.txt", kVerse);
    const Args settings[] = {
        {"--tempo", "0", "--drums", "35,42", "--accompaniment", "48"},
        {"--tempo", "38", "--method", "8", "--group", "brass", "--effect", "sustain"},
    };
    for (const auto& options : settings) {
        const std::string midi = TempFile("frost.mid", ""), wav = TempFile("frost.wav", "");
        Args args = {"midi", verse, "-o", midi};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_EQ(RunKvat(args).status, 0);
        args[0] = "audio";
        args[3] = wav;
        const auto result = RunKvat(args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "") << "a short piece renders without a progress line";
        double midiSeconds = 0, wavSeconds = 0;
        int startPeak = 0;
        Measure(midi + " " + wav) >> midiSeconds >> wavSeconds >> startPeak;
        // The last notes ring out for a second at most after the file's end.
        EXPECT_GT(midiSeconds, 1) << options[1];
        EXPECT_GE(wavSeconds, midiSeconds) << options[1];
        EXPECT_LE(wavSeconds, midiSeconds + 1.01) << options[1];
        EXPECT_GT(startPeak, 300) << options[1];
    }
}

TEST(AudioCli, ALongPieceShowsItsProgressOnOneLine) {
    std::string verse;
    for (int i = 0; i < 5; ++i) verse += kVerse;
    const std::string wav = TempFile("long.wav", "");
    const auto result = RunKvat({"audio", "-o", wav, "--tempo", "38"}, verse);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    EXPECT_NE(result.err.find(wav + ": 100%\n"), std::string::npos) << result.err;
    double seconds = 0;
    Measure(wav) >> seconds;
    EXPECT_GT(seconds, 60);
}

TEST(AudioCli, MistakesGiveOneLineAndLeaveNoFile) {
    const std::string verse = TempFile("errors.txt", kVerse);
    const std::string wav = TempFile("none.wav", "");
    std::filesystem::remove(wav);
    // 4 000 lines at the slowest tempo play for about nine hours; 16-bit stereo WAV holds
    // 6 h 45 min, so that is refused before rendering.
    std::string nineHours;
    for (int i = 0; i < 1000; ++i) nineHours += kVerse + kVerse;
    ExpectRefused(RunKvat({"audio", "--tempo", "38", "-o", wav}, nineHours), 1,
                  {wav, "more than a WAV file holds"});
    ExpectRefused(RunKvat({"audio", verse, "-o", wav, "--soundfont", verse}), 2,
                  {verse, "not a SoundFont"});
    ExpectRefused(RunKvat({"audio", verse, "-o", "/nonexistent/out.wav"}), 1,
                  {"/nonexistent/out.wav"});
    EXPECT_FALSE(std::filesystem::exists(wav));
    EXPECT_FALSE(std::filesystem::exists(wav + ".part"));
}

} // namespace
} // namespace kvat::test
