#include "cli/batch.h"

#include "cli/output.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kvat::cli {
namespace {

namespace fs = std::filesystem;

struct Kind {
    std::string_view command;
    std::array<std::string_view, 5> formats; // the first is the default
};

constexpr Kind kKinds[] = {
    {"midi", {"mid"}},
    {"audio", {"wav"}},
    {"score", {"pdf", "svg", "png", "json", "musicxml"}},
};

// Each input's output path; a name met twice gets "-2", "-3" … so no poem overwrites another.
std::vector<std::string> OutputPaths(const Options& options, std::string_view format) {
    std::map<std::string, int> seen;
    std::vector<std::string> paths;
    for (const auto& file : options.files) {
        std::string name = file == "-" ? "stdin" : fs::path(file).stem().string();
        if (const int n = ++seen[name]; n > 1) name += "-" + std::to_string(n);
        paths.push_back(
            (fs::path(options.outputDir) / (name + "." + std::string(format))).string());
    }
    return paths;
}

pid_t Start(const char* self, const Options& options, const std::vector<std::string>& passed,
            const std::string& file, const std::string& output) {
    std::vector<std::string> args = {self, options.command, file, "-o", output};
    args.insert(args.end(), passed.begin(), passed.end());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

bool Succeeded(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Progress {
public:
    explicit Progress(std::size_t total) : total_(total), shown_(total > 3 && isatty(2)) {}
    void Done(std::size_t done) const {
        if (shown_) std::cerr << "\rkvat: " << done << " of " << total_ << " written" << std::flush;
    }
    ~Progress() {
        if (shown_) std::cerr << '\n';
    }

private:
    std::size_t total_;
    bool shown_;
};

} // namespace

int RunBatch(const Options& options, const std::vector<std::string>& commandLine,
             const char* self) {
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [&](const Kind& k) { return k.command == options.command; });
    if (kind == std::end(kKinds)) {
        PrintError("-d: only midi, audio and score write many files");
        return 2;
    }
    const std::string format =
        options.format.empty() ? std::string(kind->formats.front()) : options.format;
    if (format.empty() ||
        std::find(kind->formats.begin(), kind->formats.end(), format) == kind->formats.end()) {
        PrintError("-f: '" + format + "' is not a format " + options.command + " writes");
        return 2;
    }
    if (!options.output.empty() || options.files.empty()) {
        PrintError("-d: give the verse files and no -o");
        return 2;
    }
    std::error_code error;
    fs::create_directories(options.outputDir, error);
    if (!fs::is_directory(options.outputDir)) {
        PrintError(options.outputDir + ": cannot make the folder");
        return 1;
    }
    const auto outputs = OutputPaths(options, format);
    const auto passed = PassThroughOptions(commandLine);
    const std::size_t parallel = std::max(1u, std::thread::hardware_concurrency());
    Progress progress(outputs.size());
    std::vector<pid_t> running;
    std::size_t next = 0, done = 0;
    bool failed = false;
    while (done < outputs.size()) {
        while (running.size() < parallel && next < outputs.size()) {
            const pid_t pid = Start(self, options, passed, options.files[next], outputs[next]);
            if (pid < 0) {
                PrintError(options.files[next] + ": cannot start a run for it");
                failed = true;
                ++done;
            } else {
                running.push_back(pid);
            }
            ++next;
        }
        if (running.empty()) continue;
        // The oldest run is waited for first; the others go on meanwhile.
        failed |= !Succeeded(running.front());
        running.erase(running.begin());
        progress.Done(++done);
    }
    return failed ? 1 : 0;
}

} // namespace kvat::cli
