// kvat audio: a WAV file that sounds from its start and lasts as long as the MIDI file `kvat midi`
// writes for the same options, both measured by readers that are not ours.

#include "run.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kvat::test {
namespace {

const std::string kVerse = "Мороз и солнце; день чудесный!\nЕщё ты дремлешь, друг прелестный —\n";

std::istringstream Measure(const std::string& files) {
    return std::istringstream(Output(std::string(KVAT_PYTHON) + " " + SOUND_LENGTH + " " + files));
}

TEST(Audio, TheWavSoundsFromTheStartAndLastsAsLongAsTheMidiFile) {
    const std::string midi = TempFile("frost.mid", ""), wav = TempFile("frost.wav", "");
    for (const Args& options :
         {Args{"--tempo", "0", "--drums", "35,42", "--accompaniment", "48"},
          Args{"--tempo", "38", "--method", "8", "--group", "brass", "--effect", "sustain"}}) {
        for (const auto& [command, out] : {std::pair{"midi", midi}, {"audio", wav}}) {
            Args args = {command, "-o", out};
            args.insert(args.end(), options.begin(), options.end());
            const auto run = RunKvat(args, kVerse);
            // A short piece renders without a progress line.
            EXPECT_EQ(run.status + run.err.size(), 0u) << run.err;
        }
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

TEST(Audio, ALongPieceShowsItsProgressOnOneLine) {
    const std::string wav = TempFile("long.wav", "");
    const auto run =
        RunKvat({"audio", "-o", wav, "--tempo", "38"}, kVerse + kVerse + kVerse + kVerse + kVerse);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_NE(run.err.find(wav + ": 100%\n"), std::string::npos) << run.err;
    double seconds = 0;
    Measure(wav) >> seconds;
    EXPECT_GT(seconds, 60);
}

} // namespace
} // namespace kvat::test
