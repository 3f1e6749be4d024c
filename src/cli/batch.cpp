#include "cli/batch.h"

#include "piece/output_formats.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace kvat::cli {
namespace {

namespace fs = std::filesystem;

using Subcommand = int (*)(const Run&);

// Each input's output path; a name met twice gets "-2", "-3" … so no poem overwrites another.
std::vector<std::string> OutputPaths(const Options& options, std::string_view extension) {
    std::map<std::string, int> seen;
    std::vector<std::string> paths;
    for (const auto& file : options.files) {
        std::string name = file == "-" ? "stdin" : fs::path(file).stem().string();
        if (const int n = ++seen[name]; n > 1) name += "-" + std::to_string(n);
        paths.push_back(
            (fs::path(options.outputDir) / (name + "." + std::string(extension))).string());
    }
    return paths;
}

// "kvat: 3 of 10 written" on one line, while a terminal watches.
class Progress {
public:
    Progress(std::ostream& err, std::size_t total)
        : err_(err), total_(total), shown_(total > 3 && isatty(2)) {}
    void Done(std::size_t done) const {
        if (shown_) err_ << "\rkvat: " << done << " of " << total_ << " written" << std::flush;
    }
    ~Progress() {
        if (shown_) err_ << '\n';
    }

private:
    std::ostream& err_;
    std::size_t total_;
    bool shown_;
};

struct Poem {
    std::string said; // its errors and messages, shown when every poem before it has shown its
    int status = 0;
    bool done = false;
};

// The poems, run by the workers in turn; what each has said is shown in the inputs' order.
class Poems {
public:
    Poems(const Run& run, Subcommand subcommand, std::vector<std::string> outputs)
        : run_(run), subcommand_(subcommand), outputs_(std::move(outputs)),
          poems_(outputs_.size()) {}

    void Work() {
        for (;;) {
            std::size_t i = 0;
            {
                const std::lock_guard lock(mutex_);
                if (next_ == poems_.size()) return;
                i = next_++;
            }
            Poem poem = RunOne(i);
            {
                const std::lock_guard lock(mutex_);
                poems_[i] = std::move(poem);
                poems_[i].done = true;
                ++done_;
            }
            finished_.notify_one();
        }
    }

    // Waits for the poems one completion at a time, showing what they said and the progress;
    // then puts the last files in place.
    bool ShowAll() {
        Progress progress(run_.err, poems_.size());
        bool failed = false;
        std::size_t counted = 0, shown = 0;
        std::unique_lock lock(mutex_);
        while (counted < poems_.size()) {
            finished_.wait(lock, [&] { return done_ > counted; });
            counted = done_;
            for (; shown < poems_.size() && poems_[shown].done; ++shown) {
                run_.err << poems_[shown].said;
                failed |= poems_[shown].status != 0;
            }
            progress.Done(counted);
        }
        for (const std::string& error : files_.PutInPlace()) {
            run_.err << "kvat: " << error << '\n';
            failed = true;
        }
        return !failed;
    }

private:
    Poem RunOne(std::size_t i) {
        Options options = run_.options;
        options.file = options.files[i];
        options.files = {options.file};
        options.output = outputs_[i];
        options.outputDir.clear();
        std::ostringstream said;
        Poem poem;
        try {
            poem.status = subcommand_(Run{options, run_.out, said, run_.desktop, &files_});

        } catch (const std::exception& e) {
            said << "kvat: " << options.file << ": " << e.what() << '\n';
            poem.status = 1;
        }
        poem.said = said.str();
        return poem;
    }

    const Run& run_;
    Subcommand subcommand_;
    FileBatch files_;
    std::vector<std::string> outputs_;
    std::vector<Poem> poems_;
    std::mutex mutex_;
    std::condition_variable finished_;
    std::size_t next_ = 0, done_ = 0;
};

Subcommand SubcommandOf(const Run& run) {
    if (run.options.command == "midi") return RunMidi;
    if (run.options.command == "score") return RunScore;
    if (run.options.command == "audio" && run.desktop) return run.desktop->runAudio;
    return nullptr;
}

} // namespace

int RunBatch(const Run& run) {
    const Options& options = run.options;
    if (FormatsOf(options.command).empty()) {
        run.Error("-d: only " + Listed(WritingCommands(), "and") + " write many files");
        return 2;
    }
    const auto format = BatchFormat(options.command, options.format);
    if (!format) {
        run.Error("-f: '" + options.format + "' is not a format " + options.command + " writes");
        return 2;
    }
    if (!options.output.empty() || options.files.empty()) {
        run.Error("-d: give the verse files and no -o");
        return 2;
    }
    const Subcommand subcommand = SubcommandOf(run);
    if (!subcommand) {
        run.Error(options.command + ": written by the desktop program");
        return 1;
    }
    std::error_code error;
    fs::create_directories(options.outputDir, error);
    if (!fs::is_directory(options.outputDir)) {
        run.Error(options.outputDir + ": cannot make the folder");
        return 1;
    }
    Poems poems(run, subcommand, OutputPaths(options, FormatRow(*format).extension));
    // Pictures are painted on this thread, where the application object lives.
    const bool pictures = FormatRow(*format).family == FormatFamily::kPicture;
    std::vector<std::jthread> workers(pictures ? 0
                                               : std::max(1u, std::thread::hardware_concurrency()));
    for (auto& worker : workers) worker = std::jthread([&poems] { poems.Work(); });
    if (pictures) poems.Work();
    return poems.ShowAll() ? 0 : 1;
}

} // namespace kvat::cli
