#include "run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kvat::test {
namespace {

std::filesystem::path TempDir() {
    static const std::filesystem::path dir = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("kvat-cli-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string TempFile(const std::string& name, const std::string& content) {
    const auto path = TempDir() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Data(const std::string& path) {
    return std::string(KVAT_TEST_DATA) + "/" + path;
}

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    if (pipe) pclose(pipe);
    return out;
}

RunResult RunKvat(const Args& args, const std::string& input) {
    // Input and outputs go through files, so large texts cannot deadlock a pipe; the output
    // must not depend on the machine's locale (the decimal separator follows it).
    static int counter = 0;
    const std::string in = TempFile("in" + std::to_string(++counter), input);
    std::string command = "LC_ALL=C " + Quoted(KVAT_BINARY);
    for (const auto& arg : args) command += " " + Quoted(arg);
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
