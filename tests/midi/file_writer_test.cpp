// Writing a file whole or not at all.

#include "midi/file_writer.h"
#include "mido_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace kvat {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in a fresh folder after the writes: no temporary file may be left behind.
std::vector<std::string> NamesAfter(const std::string& name, auto writes) {
    const fs::path folder = fs::path(test::TestFolder()) / name;
    fs::create_directories(folder);
    writes(folder);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileWriter, WritesAndReplacesWholeFiles) {
    const auto names = NamesAfter("replace", [](const fs::path& folder) {
        ASSERT_TRUE(WriteFileAtomically(folder / "a.mid", std::vector<std::uint8_t>{'M', 0, 0xFF}));
        EXPECT_EQ(Contents(folder / "a.mid"), std::string("M\0\xFF", 3));
        ASSERT_TRUE(WriteFileAtomically(folder / "a.mid", std::vector<std::uint8_t>{'x'}));
        EXPECT_EQ(Contents(folder / "a.mid"), "x");
    });
    EXPECT_EQ(names, std::vector<std::string>{"a.mid"});
}

// Root may write anywhere, so each write is tried as nobody: the folder made read-only then
// refuses it.
TEST(FileWriter, AFailedWriteLeavesNothingBehindAndSaysWhy) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    const auto names = NamesAfter("fail", [&](const fs::path& folder) {
        fs::create_directories(folder / "taken.mid" / "inside");
        fs::create_directories(folder / "locked");
        fs::permissions(folder / "locked", fs::perms::all & ~fs::perms::others_write &
                                               ~fs::perms::group_write & ~fs::perms::owner_write);
        const std::pair<fs::path, std::string> cases[] = {
            {folder / "missing" / "a.mid", "No such file or directory"},
            {folder / "taken.mid", "Is a directory"},
            {folder / "locked" / "a.mid", "Permission denied"}};
        for (const auto& [path, reason] : cases) {
            const pid_t child = fork();
            if (child == 0) {
                std::string error;
                const bool refused = (geteuid() != 0 || setuid(65534) == 0) &&
                                     !WriteFileAtomically(path, bytes, error);
                _exit(refused && error == path.string() + ": " + reason ? 0 : 1);
            }
            int status = -1;
            waitpid(child, &status, 0);
            EXPECT_EQ(status, 0) << path;
        }
        EXPECT_TRUE(fs::is_empty(folder / "locked"));
    });
    EXPECT_EQ(names, (std::vector<std::string>{"locked", "taken.mid"}));
    EXPECT_FALSE(WriteFileAtomically("", bytes));
}

// Files of a batch appear only once put in place, all of them, whether the batch's limit or the
// end puts them there; a batch dropped before then leaves nothing.
TEST(FileBatch, PutsEveryFileInPlaceAtItsLimitOrAtTheEndAndDropsNoTemporaries) {
    const std::vector<std::uint8_t> bytes = {'M', 'T'};
    for (const bool putInPlace : {true, false}) {
        std::vector<std::string> expected;
        const auto names = NamesAfter(putInPlace ? "batch" : "dropped", [&](const fs::path& dir) {
            FileBatch batch(3);
            std::string error;
            for (int k = 0; k < 7; ++k) {
                const std::string name = "poem" + std::to_string(k) + ".mid";
                ASSERT_TRUE(WriteFileAtomically(dir / name, bytes, error, &batch)) << error;
                if (putInPlace || k < 6) expected.push_back(name); // 6 reached the limit twice
            }
            EXPECT_TRUE(!putInPlace || batch.PutInPlace().empty());
            EXPECT_EQ(Contents(dir / "poem5.mid"), "MT");
        });
        EXPECT_EQ(names, expected) << putInPlace;
    }
}

} // namespace
} // namespace kvat
