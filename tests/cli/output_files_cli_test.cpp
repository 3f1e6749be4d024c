// Every file the subcommands write, through every kind of target: a device and a FIFO written
// straight through, a symbolic link kept, a missing folder refused in one line; and no file at
// all when the text has no melody.

#include "run.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kvat::test {
namespace {

namespace fs = std::filesystem;

struct Output {
    std::string subcommand, extension, start;
};
const Output kOutputs[] = {{"midi", "mid", "MThd"},       {"audio", "wav", "RIFF"},
                           {"score", "png", "\x89PNG"},   {"score", "svg", "<?xml"},
                           {"score", "pdf", "%PDF"},      {"score", "json", "{"},
                           {"score", "musicxml", "<?xml"}};

TEST(OutputFiles, EveryFormatReachesEveryKindOfTarget) {
    const fs::path folder = fs::path(TempFile("targets", "")).concat("-folder");
    fs::create_directories(folder);
    for (const Output& output : kOutputs) {
        const auto at = [&](const std::string& name) {
            return (folder / name).string() + "." + output.extension;
        };
        fs::create_symlink("/dev/full", at("full"));
        std::ofstream(at("target")) << "earlier";
        fs::create_symlink("target." + output.extension, at("link"));
        ASSERT_EQ(mkfifo(at("pipe").c_str(), 0600), 0);
        const std::pair<std::string, std::string> cases[] = {
            {at("full"), "No space left on device"},
            {at("link"), ""},
            {at("pipe"), ""},
            {at("missing/out"), "No such file or directory"}};
        for (const auto& [path, reason] : cases) {
            std::string piped;
            std::thread reader([&, path] { piped = path == at("pipe") ? ReadFile(path) : ""; });
            const RunResult run = RunKvat({output.subcommand, "-o", path}, "Мороз и солнце!\n");
            close(open(at("pipe").c_str(), O_WRONLY | O_NONBLOCK)); // a reader left waiting ends
            reader.join();
            EXPECT_EQ(run.status, reason.empty() ? 0 : 1) << path;
            EXPECT_EQ(run.err, reason.empty() ? "" : "kvat: " + path + ": " + reason + "\n");
            EXPECT_TRUE(path != at("pipe") || piped.starts_with(output.start)) << path;
        }
        EXPECT_TRUE(ReadFile(at("target")).starts_with(output.start)) << output.extension;
        EXPECT_TRUE(fs::is_symlink(at("link")) && fs::is_symlink(at("full")));
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 4 * std::ssize(kOutputs));
}

TEST(OutputFiles, NoRussianVowelNoMelodyAndNoFile) {
    for (const std::string text : {"", "Hello, world!\n", "2024\n"})
        for (const Output& output : kOutputs) {
            const std::string path = TempFile("none." + output.extension, "earlier");
            const RunResult run = RunKvat({output.subcommand, "-o", path}, text);
            EXPECT_EQ(run.status, 1) << output.extension << " " << text;
            EXPECT_EQ(run.err, "kvat: standard input: no melody: " +
                                   std::string(text.empty() ? "the verse is empty"
                                                            : "the text has no Russian vowels") +
                                   "\n");
            EXPECT_EQ(ReadFile(path), "earlier");
        }
    EXPECT_EQ(RunKvat({"melody"}, "Hello, world!\n").out, "0\n");
}

} // namespace
} // namespace kvat::test
