// Writing a file whole or not at all.

#include "midi/file_writer.h"
#include "mido_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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

TEST(FileWriter, AFailedWriteLeavesNothingBehind) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    const auto names = NamesAfter("fail", [&](const fs::path& folder) {
        EXPECT_FALSE(WriteFileAtomically(folder / "missing" / "a.mid", bytes));
        fs::create_directories(folder / "taken.mid" / "inside");
        EXPECT_FALSE(WriteFileAtomically(folder / "taken.mid", bytes));
    });
    EXPECT_EQ(names, std::vector<std::string>{"taken.mid"});
    EXPECT_FALSE(WriteFileAtomically("", bytes));
}

} // namespace
} // namespace kvat
