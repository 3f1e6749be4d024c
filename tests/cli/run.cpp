#include "run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kvat::test {

std::string TempFile(const std::string& name, const std::string& content) {
    // An earlier process of the same number may have left its files there.
    static const auto folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("kvat-cli-test-" + std::to_string(getpid()));
        std::filesystem::remove_all(path);
        return path;
    }();
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << content;
    return (folder / name).string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Args Words(const std::string& text, char separator) {
    Args words;
    std::istringstream in(text);
    for (std::string word; std::getline(in, word, separator);)
        if (!word.empty()) words.push_back(word);
    return words;
}

std::string Data(const std::string& path) {
    return std::string(KVAT_TEST_DATA) + "/" + path;
}

std::string Output(const std::string& command) {
    const std::string out = TempFile("output", "");
    (void)std::system((command + " >" + out).c_str());
    return ReadFile(out);
}

RunResult RunKvat(const Args& args, const std::string& input) {
    // Input and outputs go through files, so large texts cannot deadlock a pipe; the output
    // must not depend on the machine's locale (the decimal separator follows it). No argument
    // here holds a quote mark.
    static int counter = 0;
    const std::string in = TempFile("in" + std::to_string(++counter), input);
    std::string command = "LC_ALL=C " KVAT_BINARY;
    for (const auto& arg : args) command += " '" + arg + "'";
    const int status =
        std::system((command + " <" + in + " >" + in + ".out 2>" + in + ".err").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(in + ".out"),
            ReadFile(in + ".err")};
}

void ExpectRefused(const RunResult& run, int status, const Args& named) {
    EXPECT_EQ(run.status, status) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    for (const auto& text : named) EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
}

} // namespace kvat::test
