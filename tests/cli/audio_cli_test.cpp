// kvat audio: a WAV file that sounds from its start, lasts as long as the MIDI file `kvat midi`
// writes for the same options and peaks at -1 dBFS however many voices sound, sung or not, all
// measured by readers that are not ours.

#include "run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
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
        {{"--dynamics", "7"}, ""},
        {{"--voice", "female", "--accompaniment", "48"}, ""},
        {{"--voice-only"}, ""}};
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

// The left channel of a WAV of ours: the 44-byte header, then 16-bit stereo frames.
std::vector<double> Left(const std::string& wav) {
    const std::string bytes = ReadFile(wav);
    std::vector<double> left;
    for (std::size_t i = 44; i + 4 <= bytes.size(); i += 4)
        left.push_back(static_cast<std::int16_t>(std::uint8_t(bytes[i]) | bytes[i + 1] << 8));
    return left;
}

// The voice stem lines up with the instruments: the sung WAV is their sum, to the sample,
// whether the batch or a single run wrote each, and all three last as long.
TEST(Audio, TheVoiceStemLinesUpWithTheInstruments) {
    const std::string verse = TempFile("frost.txt", kVerse), dir = TempFile("stems/x", "") + "/..";
    const std::string plain = TempFile("plain.wav", ""), sung = TempFile("sung.wav", "");
    for (const Args& args : {Args{"audio", verse, "-o", plain},
                             {"audio", verse, "-o", sung, "--voice"},
                             {"audio", verse, "-d", dir, "-f", "wav", "--voice-only"}})
        ASSERT_EQ(RunKvat(args).status, 0) << args.back();
    const auto i = Left(plain), v = Left(dir + "/frost.wav"), m = Left(sung);
    ASSERT_TRUE(i.size() == v.size() && v.size() == m.size() && !i.empty());
    const auto dot = [](const auto& x, const auto& y) {
        return std::inner_product(x.begin(), x.end(), y.begin(), 0.0);
    };
    const double ii = dot(i, i), vv = dot(v, v), iv = dot(i, v), im = dot(i, m), vm = dot(v, m);
    const double a = (im * vv - vm * iv) / (ii * vv - iv * iv);
    const double b = (vm * ii - im * iv) / (ii * vv - iv * iv); // the best a * i + b * v
    const double off = dot(m, m) - 2 * (a * im + b * vm) + a * a * ii + 2 * a * b * iv + b * b * vv;
    EXPECT_LT(off / dot(m, m), 1e-4); // a voice a sample out of line leaves far more
    EXPECT_GT(b, 0.1);                // the voice is heard in the mix
}

} // namespace
} // namespace kvat::test
