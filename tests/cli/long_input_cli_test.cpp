// Inputs too long for what they are asked to become: refused at once, in one line, leaving
// nothing behind.

#include "run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace kvat::test {
namespace {

std::string Quatrains(int count) {
    std::string verse;
    for (int i = 0; i < count; ++i)
        verse += "Буря мглою небо кроет,\nВихри снежные крутя;\n"
                 "То, как зверь, она завоет,\nТо заплачет, как дитя.\n";
    return verse;
}

// 4 000 lines at the slowest tempo play for about nine hours; 16-bit stereo WAV holds 6 h 45 min.
TEST(LongInputs, AudioLongerThanAWavFileHoldsIsRefusedBeforeRendering) {
    const std::string wav = TempFile("nine-hours.wav", "");
    std::filesystem::remove(wav);
    const auto start = std::chrono::steady_clock::now();
    const RunResult r = RunKvat({"audio", "--tempo", "38", "-o", wav}, Quatrains(1000));
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);

    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(wav), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("more than a WAV file holds"), std::string::npos) << r.err;
    EXPECT_LT(seconds.count(), 20);
    EXPECT_FALSE(std::filesystem::exists(wav));
}

} // namespace
} // namespace kvat::test
