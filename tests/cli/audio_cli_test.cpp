// kvat audio: a WAV file that sounds and lasts as long as the MIDI file `kvat midi` writes for
// the same options, measured by mido, a reader that is not ours, and peaks at -1 dBFS however
// many voices sound.

#include "../midi/mido_reader.h"
#include "run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kvat::test {
namespace {

const std::string kVerse = "Мороз и солнце; день чудесный!\nЕщё ты дремлешь, друг прелестный —\n";

struct Wav {
    double seconds = 0;
    int peak = 0;      // over the whole file
    int startPeak = 0; // over its first half second
};

// 16-bit PCM in a RIFF WAVE file, walked chunk by chunk.
std::optional<Wav> ReadWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const auto word = [&](std::size_t at, int width) {
        std::uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i) value = value << 8 | std::uint8_t(bytes[at + i]);
        return value;
    };
    if (bytes.size() < 12 || bytes.compare(8, 4, "WAVE")) return std::nullopt;
    std::uint32_t channels = 0, rate = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size(); at += 8 + word(at + 4, 4)) {
        if (bytes.compare(at, 4, "fmt ") == 0 && word(at + 22, 2) == 16) {
            channels = word(at + 10, 2);
            rate = word(at + 12, 4);
        }
        if (bytes.compare(at, 4, "data") || rate == 0) continue;
        const std::size_t samples =
            std::min<std::size_t>(word(at + 4, 4), bytes.size() - at - 8) / 2;
        Wav wav{double(samples) / channels / rate, 0, 0};
        for (std::size_t i = 0; i < samples; ++i) {
            const int sample = std::abs(std::int16_t(word(at + 8 + 2 * i, 2)));
            wav.peak = std::max(wav.peak, sample);
            if (i < rate * channels / 2) wav.startPeak = std::max(wav.startPeak, sample);
        }
        return wav;
    }
    return std::nullopt;
}

// The end-of-track tick at the file's one tempo.
double MidiSeconds(const std::string& path) {
    const auto reading = ReadWithMido(path);
    std::istringstream header(reading.output);
    std::string word;
    int format = 0, tracks = 0, division = 0;
    header >> word >> format >> tracks >> division;
    const auto tempo = reading.Of("tempo"), end = reading.Of("end_of_track");
    if (!reading.accepted || tempo.size() != 1 || end.size() != 1 || division == 0) return -1;
    return double(end[0].tick) / division * tempo[0].first / 1e6;
}

TEST(AudioCli, TheWavSoundsFromTheStartLastsAsLongAsTheMidiFileAndNeverClips) {
    const std::string verse = TempFile("frost.txt", kVerse);
    const std::vector<std::vector<std::string>> settings = {
        {"--tempo", "0", "--drums", "35,42", "--accompaniment", "48"},
        {"--tempo", "38", "--method", "8", "--group", "brass", "--effect", "sustain"},
        {"--tempo", "13", "--mezzo", "10", "--tenor", "20", "--bass", "30", "--drums", "35,42",
         "--accompaniment", "50", "--effect", "sustain"},
        {"--tempo", "13", "--dynamics", "7"},
    };
    for (const auto& options : settings) {
        const std::string midi = TempFile("frost.mid", ""), wav = TempFile("frost.wav", "");
        std::vector<std::string> args = {"midi", verse, "-o", midi};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_EQ(RunKvat(args).status, 0);
        args[0] = "audio";
        args[3] = wav;
        const auto result = RunKvat(args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "") << "a short piece renders without a progress line";

        const auto sound = ReadWav(wav);
        const double length = MidiSeconds(midi);
        ASSERT_TRUE(sound && length > 1) << options[1];
        // The last notes ring out for a second at most after the file's end.
        EXPECT_GE(sound->seconds, length) << options[1];
        EXPECT_LE(sound->seconds, length + 1.01) << options[1];
        EXPECT_GT(sound->startPeak, 300) << options[1];
        EXPECT_LT(sound->peak, 32767) << options[1];
        EXPECT_NEAR(20 * std::log10(sound->peak / 32768.0), -1, 1) << options[1];
    }
}

TEST(AudioCli, ALongPieceShowsItsProgressOnOneLine) {
    std::string verse;
    for (int i = 0; i < 5; ++i) verse += kVerse;
    const std::string wav = TempFile("long.wav", "");
    const auto result = RunKvat({"audio", TempFile("long.txt", verse), "-o", wav, "--tempo", "38"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    EXPECT_NE(result.err.find(wav + ": 100%\n"), std::string::npos) << result.err;
    EXPECT_GT(ReadWav(wav).value_or(Wav{}).seconds, 60);
}

TEST(AudioCli, MistakesGiveOneLineAndLeaveNoFile) {
    const std::string verse = TempFile("errors.txt", kVerse);
    const std::string wav = std::filesystem::path(verse).replace_filename("none.wav").string();
    const std::vector<std::string> cases[] = {
        {"-o", "2"},
        {"/nonexistent/gm.sf2", "2", "-o", wav, "--soundfont", "/nonexistent/gm.sf2"},
        {verse, "2", "-o", wav, "--soundfont", verse}, // not a SoundFont
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"audio", verse};
        args.insert(args.end(), c.begin() + 2, c.end());
        const auto result = RunKvat(args);
        EXPECT_EQ(std::to_string(result.status), c[1]) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find(c[0]), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(wav));
    }
}

} // namespace
} // namespace kvat::test
