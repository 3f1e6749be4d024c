#include "run.h"

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kvat::test {
namespace {


std::filesystem::path TempDir() {
    static const std::filesystem::path dir = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("kvat-cli-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

} // namespace

std::string TempFile(const std::string& name, const std::string& content) {
    const auto path = TempDir() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

RunResult RunKvat(const std::vector<std::string>& args, const std::string& input) {
    // Input and outputs go through files, so large texts cannot deadlock a pipe.
    static int counter = 0;
    const std::string tag = std::to_string(++counter);
    const std::string in = TempFile("in" + tag, input);
    const std::string out = (TempDir() / ("out" + tag)).string();
    const std::string err = (TempDir() / ("err" + tag)).string();
    RunResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        // Output must not depend on the machine's locale (the decimal separator follows it).
        setenv("LC_ALL", "C", 1);
        freopen(in.c_str(), "rb", stdin);
        freopen(out.c_str(), "wb", stdout);
        freopen(err.c_str(), "wb", stderr);
        std::vector<char*> argv{const_cast<char*>(KVAT_BINARY)};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(KVAT_BINARY, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::ifstream o(out, std::ios::binary), e(err, std::ios::binary);
    result.out.assign(std::istreambuf_iterator<char>(o), {});
    result.err.assign(std::istreambuf_iterator<char>(e), {});
    return result;
}

} // namespace kvat::test
