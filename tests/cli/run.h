#pragma once
// Runs the kvat binary the build made, feeding standard input and collecting what it prints.

#include <string>
#include <vector>

namespace kvat::test {

using Args = std::vector<std::string>;

struct RunResult {
    int status = -1; // exit status
    std::string out; // standard output
    std::string err; // standard error
};

// The words of `text` parted by `separator`.
Args Words(const std::string& text, char separator = ' ');

RunResult RunKvat(const Args& args, const std::string& input = "");

// Expects `status`, nothing on standard output and one line on standard error naming each of
// `named`.
void ExpectRefused(const RunResult& run, int status, const Args& named);

// A file in a fresh temporary folder of this test process, holding `content`.
std::string TempFile(const std::string& name, const std::string& content);
std::string ReadFile(const std::string& path);
// A file under tests/data.
std::string Data(const std::string& path);
// What a shell command prints on standard output.
std::string Output(const std::string& command);

} // namespace kvat::test
