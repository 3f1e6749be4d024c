#pragma once
// Runs the kvat binary the build made, feeding standard input and collecting what it prints.

#include <string>
#include <vector>

namespace kvat::test {

struct RunResult {
    int status = -1;      // exit status
    std::string out;      // standard output
    std::string err;      // standard error
};

RunResult RunKvat(const std::vector<std::string>& args, const std::string& input = "");

// A file in a fresh temporary folder of this test process, holding `content`.
std::string TempFile(const std::string& name, const std::string& content);

} // namespace kvat::test
