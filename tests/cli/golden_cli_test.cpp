// Every subcommand's output for whole verses, equal to the reviewed files: the commands and
// their outputs are listed in tests/data/cli/goldens.txt.

#include "run.h"

#include <gtest/gtest.h>

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
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            if (word == ">" || word == "2>")
                (word == ">" ? words >> out : words >> err);
            else if (word.starts_with('@'))
                args.push_back(Data(word.substr(1)));
            else if (word.starts_with("OUT"))
                args.push_back(written = TempFile(word, "older"));
            else
                args.push_back(word);
        }
        const auto run = RunKvat(args);
        EXPECT_EQ(run.status, 0) << line;
        EXPECT_EQ(run.out + (written.empty() ? "" : ReadFile(written)), ReadFile(Data(out)))
            << line;
        EXPECT_EQ(run.err, err.empty() ? "" : ReadFile(Data(err))) << line;
        ++commands;
    }
    EXPECT_EQ(commands, 22);
}

} // namespace
} // namespace kvat::test
