// kvat audio: a WAV file that sounds from its start, lasts as long as the MIDI file `kvat midi`
// writes for the same options and peaks at -1 dBFS however many voices sound, all measured by
// readers that are not ours.

#include "run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace kvat::test {
namespace {

const std::string kVerse = "Мороз и солнце; день чудесный!\nЕщё ты дремлешь, друг прелестный —\n";

std::istringstream Measure(const std::string& files) {
    return std::istringstream(Output(std::string(KVAT_PYTHON) + " " + SOUND_LENGTH + " " + files));
}

// A short piece renders quietly; one that plays past a minute shows its progress on one line.
TEST(Audio, TheWavSoundsFromTheStartAndLastsAsLongAsTheMidiFile) {
    const std::string midi = TempFile("frost.mid", ""), wav = TempFile("frost.wav", "");
    const std::pair<Args, std::string> cases[] = {
        {{"--tempo", "0", "--drums", "35,42", "--accompaniment", "48"}, ""},
        {{"--tempo", "38", "--method", "8", "--group", "brass", "--effect", "sustain"},
         wav + ": 100%\n"},
        {{"--mezzo", "10", "--tenor", "20", "--bass", "30", "--drums", "35,42", "--accompaniment",
          "50", "--effect", "sustain"},
         ""},
        {{"--dynamics", "7"}, ""}};
    for (const auto& [options, progress] : cases) {
        const std::string verse =
            progress.empty() ? kVerse : kVerse + kVerse + kVerse + kVerse + kVerse;
        for (const auto& [command, out] : {std::pair{"midi", midi}, {"audio", wav}}) {
            Args args = {command, "-o", out};
            args.insert(args.end(), options.begin(), options.end());
            const auto run = RunKvat(args, verse);
            EXPECT_EQ(run.status, 0) << run.err;
            const bool shows = command == std::string("audio") && !progress.empty();
            EXPECT_TRUE(shows ? run.err.ends_with(progress) &&
                                    std::count(run.err.begin(), run.err.end(), '\n') == 1
                              : run.err.empty())
                << run.err;
        }
        double midiSeconds = 0, wavSeconds = 0;
        int startPeak = 0, peak = 0;
        Measure(midi + " " + wav) >> midiSeconds >> wavSeconds >> startPeak >> peak;
        // The last notes ring out for a second at most after the file's end.
        EXPECT_GT(midiSeconds, progress.empty() ? 1 : 60) << options[1];
        EXPECT_GE(wavSeconds, midiSeconds) << options[1];
        EXPECT_LE(wavSeconds, midiSeconds + 1.01) << options[1];
        EXPECT_GT(startPeak, 300) << options[1];
        EXPECT_LT(peak, 32767) << options[1];
        EXPECT_NEAR(20 * std::log10(peak / 32768.0), -1, 1) << options[1];
    }
}

// The voice stem lines up with the instruments: the sung WAV is their sum, however the batch
// or a single run wrote each, and all three last as long.
TEST(Audio, TheVoiceStemLinesUpWithTheInstruments) {
    const std::string verse = TempFile("frost.txt", kVerse), dir = TempFile("stems/x", "");
    const std::string plain = TempFile("plain.wav", ""), sung = TempFile("sung.wav", "");
    for (const char* voice : {"male", "female"}) {
        const Args runs[] = {
            {"audio", verse, "-o", plain},
            {"audio", verse, "-o", sung, "--voice", voice},
            {"audio", verse, "-d", dir + "/..", "-f", "wav", "--voice-only", "--voice", voice}};
        for (const Args& args : runs) {
            const auto run = RunKvat(args);
            ASSERT_EQ(run.status, 0) << run.err;
        }
        const std::string stem = dir + "/../frost.wav";
        double seconds[3] = {}, peak[3] = {};
        int start = 0;
        Measure(plain + " " + sung + " " + stem) >> seconds[0] >> start >> peak[0] >> seconds[1] >>
            start >> peak[1] >> seconds[2] >> start >> peak[2];
        for (int k = 1; k < 3; ++k) {
            EXPECT_EQ(seconds[k], seconds[0]) << voice << k;
            EXPECT_NEAR(20 * std::log10(peak[k] / 32768.0), -1, 1) << voice << k;
        }
        double residual = 1, a = 0, b = 0;
        std::istringstream(Output(std::string(KVAT_PYTHON) + " " + VOICE_MIX + " " + plain + " " +
                                  stem + " " + sung)) >>
            residual >> a >> b;
        EXPECT_LT(residual, 1e-4) << voice;
        EXPECT_GT(b, 0.1) << voice; // the voice is heard in the mix
    }
}

} // namespace
} // namespace kvat::test
