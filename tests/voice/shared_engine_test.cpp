// espeak-ng is one engine for the dictionary stress and the voice: used from two threads at once
// both get what each gets alone, and a voice whose data files are missing falls back cleanly.

#include "sung_notes.h"
#include "text/utf8.h"
#include "verse/espeak_engine.h"
#include "verse/espeak_stress.h"
#include "voice/singer.h"
#include "voice/voice_range.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <unistd.h>

namespace kvat {
namespace {

namespace fs = std::filesystem;

const auto kLine = test::Notes({{U"мо-", U"ро-", U"зы", U"и", U"солн-", U"це"}}, {50, 55, 59, 62});

TEST(SharedEngine, ServesTheStressAndTheVoiceFromTwoThreads) {
    struct Word {
        std::string text;
        int stressed;
    };
    const Word words[] = {{"молоко", 3}, {"дорога", 2}, {"серебро", 3}, {"берёза", 2}};
    std::vector<std::optional<std::string>> alone;
    for (const auto& word : words) alone.push_back(EspeakSession().WordIpa(word.text));
    std::atomic<bool> sung = false;
    std::thread voice([&sung] {
        for (VoiceKind kind : {VoiceKind::kMale, VoiceKind::kFemale, VoiceKind::kMale}) {
            const auto piece = SingPiece(kLine, kind, test::kRate);
            ASSERT_TRUE(piece);
            for (const SungNote& note : kLine) EXPECT_TRUE(test::SungAt(*piece, note));
        }
        sung = true;
    });
    for (const auto& word : words) // the stress's first question about each word
        EXPECT_EQ(EspeakStressedVowel(DecodeUtf8(word.text).value()), word.stressed);
    for (int round = 0; !sung || round < 100; ++round)
        for (std::size_t i = 0; i < std::size(words); ++i)
            EXPECT_EQ(EspeakSession().WordIpa(words[i].text), alone[i]);
    voice.join();
}

// A copy of the system's Russian data without some of its files, in a process of its own.
std::optional<fs::path> SystemData() {
    for (const fs::path root : {"/usr/lib", "/usr/lib64", "/usr/share", "/usr/local/share"}) {
        std::error_code error;
        if (fs::exists(root / "espeak-ng-data" / "ru_dict")) return root / "espeak-ng-data";
        for (const auto& entry : fs::directory_iterator(root, error))
            if (fs::exists(entry.path() / "espeak-ng-data" / "ru_dict"))
                return entry.path() / "espeak-ng-data";
    }
    return std::nullopt;
}

struct MissingCase {
    std::string without; // a file of the data, or "all"
    bool sings;
};

class MissingData : public testing::TestWithParam<MissingCase> {};

TEST_P(MissingData, LeaveTheVoiceSingingOrSilentWithoutACrash) {
    const auto system = SystemData();
    if (!system) GTEST_SKIP() << "no espeak-ng data";
    const fs::path copy =
        fs::path(testing::TempDir()) / ("kvat-espeak-" + std::to_string(::getpid()));
    const fs::path data = copy / "espeak-ng-data";
    const std::string female(RangeOf(VoiceKind::kFemale).espeakVoice);
    const std::string variant = "voices/!v/" + female.substr(female.find('+') + 1);
    fs::create_directories(data / "lang/zle");
    fs::create_directories(data / "voices/!v");
    for (const std::string& file : std::vector<std::string>{
             "phondata", "phonindex", "phontab", "intonations", "ru_dict", "lang/zle/ru", variant})
        if (GetParam().without != "all" && GetParam().without != file)
            fs::copy_file(*system / file, data / file, fs::copy_options::overwrite_existing);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::setenv("ESPEAK_DATA_PATH", copy.c_str(), 1);
            const auto piece = SingPiece(kLine, VoiceKind::kFemale, test::kRate);
            bool right = piece.has_value() == GetParam().sings;
            for (const SungNote& note : kLine)
                right = right && (!piece || test::SungAt(*piece, note));
            right = right && EspeakStressedVowel(U"кошкодром").has_value() == GetParam().sings;
            std::exit(right ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    fs::remove_all(copy);
}

// Without its variant's file the female voice is the male one; without the dictionary or any
// data espeak-ng says nothing, and neither the stress nor the voice answers.
INSTANTIATE_TEST_SUITE_P(Files, MissingData,
                         testing::Values(MissingCase{"none", true},
                                         MissingCase{"voices/!v/f1", true},
                                         MissingCase{"ru_dict", false}, MissingCase{"all", false}));

} // namespace
} // namespace kvat
