// Whole-verse fixtures: a verse in, the tokens of every method out, kept under
// tests/data/melody/ and reviewed by eye once. KVAT_UPDATE_FIXTURES=1 rewrites them.

#include "melody_support.h"
#include "text/utf8.h"
#include "verse/analysis.h"
#include "verse/rhymes.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kvat::test {
namespace {

const std::string kDir = std::string(KVAT_TEST_DATA) + "/melody/";

std::string ReadFile(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// The file's lines; its final line break only ends the last line.
Lines FileLines(const std::string& name) {
    Lines lines = Verse(DecodeUtf8(ReadFile(kDir + name)).value_or(U""));
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// Index: the method. Each also moves its own controls away from their start values.
const std::pair<int, MelodySettings> kFixtures[] = {
    {kTrochee, {}},
    {kIamb, {.softVowelShift = 5}},
    {kAmphibrach, {.lengthen = false, .noteMap = {0, 3, 7, 12, 14, 19, 23, -1, 5, 9}}},
    {kIamb, {.keyShift = 1}},
    {kDactyl, {.lengthen = false, .keyShift = -3}},
    {kTrochee, {.keyShift = 2, .centreShift = 1}},
    {kAnapaest, {.lengthen = false, .centreShift = -1}},
    {kManualMetre, {.keyShift = -1}},
    {kDactyl, {.keyShift = -2}},
    {kIamb, {.lengthen = false, .keyShift = 1}},
    {kIamb, {.song = {2, SongMode::kMinor, SongRange::kAlto}}},
};
static_assert(std::size(kFixtures) == kMethodCount, "every method has its fixture");

TEST(MelodyFixtures, EveryMethodOverAWholeVerse) {
    const Lines verse = FileLines("verse.txt");
    ASSERT_EQ(verse.size(), 8u);
    std::vector<std::string> pieces;
    for (const auto& line : FileLines("verse.ictus")) pieces.push_back(EncodeUtf8(line));
    // The song reads the rule's stresses and the rhymes they give, as kvat does by default.
    const std::vector<std::string> stress = AnalyseVerse(verse, U'.').stress;
    std::vector<int> rhymes;
    for (const LineRhyme& rhyme : FindRhymes(verse, stress)) rhymes.push_back(rhyme.group);
    for (int method = 0; method < kMethodCount; ++method) {
        const std::string path = kDir + "method" + std::to_string(method) + ".tokens";
        auto [metre, settings] = kFixtures[method];
        settings.method = MethodFromIndex(method);
        const auto melody =
            GenerateMelody(verse, Metre(metre, pieces), settings, nullptr, {stress, rhymes});
        ASSERT_TRUE(melody) << path;
        // A method timing its notes writes them as kvat melody --ticks does.
        std::string tokens;
        const auto list = MelodyTokens(melody->text);
        for (std::size_t k = 0; k < list.size(); ++k)
            tokens += list[k] +
                      (melody->timing ? "\t" + std::to_string(melody->timing->starts[k]) + "\t" +
                                            std::to_string(melody->timing->lengths[k])
                                      : "") +
                      "\n";
        if (std::getenv("KVAT_UPDATE_FIXTURES")) std::ofstream(path, std::ios::binary) << tokens;
        EXPECT_EQ(tokens, ReadFile(path)) << path;
    }
}

} // namespace
} // namespace kvat::test
