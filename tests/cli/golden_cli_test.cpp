// Every subcommand's output for whole verses, equal to the reviewed files: the commands and
// their outputs are listed in tests/data/cli/goldens.txt. KVAT_UPDATE_FIXTURES=1 rewrites them.

#include "run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kvat::test {
namespace {

TEST(Goldens, EverySubcommandWritesTheReviewedOutput) {
    std::istringstream goldens(ReadFile(Data("cli/goldens.txt")));
    int commands = 0;
    for (std::string line; std::getline(goldens, line);) {
        if (line.empty() || line[0] == '#') continue;
        Args args;
        std::string written, out, err;
        const Args words = Words(line);
        for (std::size_t k = 0; k < words.size(); ++k) {
            const std::string& word = words[k];
            if (word == ">" || word == "2>") {
                (word == ">" ? out : err) = words.at(++k);
                continue;
            }
            const bool output = word.starts_with("OUT");
            args.push_back(word[0] == '@' ? Data(word.substr(1))
                           : output       ? written = TempFile(word, "older")
                                          : word);
        }
        const auto run = RunKvat(args);
        if (std::getenv("KVAT_UPDATE_FIXTURES")) {
            std::ofstream(Data(out), std::ios::binary)
                << run.out + (written.empty() ? "" : ReadFile(written));
            if (!err.empty()) std::ofstream(Data(err), std::ios::binary) << run.err;
        }
        EXPECT_EQ(run.status, 0) << line;
        EXPECT_EQ(run.out + (written.empty() ? "" : ReadFile(written)), ReadFile(Data(out)))
            << line;
        EXPECT_EQ(run.err, err.empty() ? "" : ReadFile(Data(err))) << line;
        ++commands;
    }
    EXPECT_EQ(commands, 24);
}

} // namespace
} // namespace kvat::test
