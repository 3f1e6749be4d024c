// Whole verses with every part switched on: the melody tokens of a verse (as `kvat melody`
// prints them) arranged into a file that must equal the reviewed one byte for byte, and that
// mido must read back as the reviewed event list, with no note left sounding.
// KVAT_UPDATE_FIXTURES=1 rewrites the files and the event lists.

#include "midi/arrangement.h"
#include "mido_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kvat {
namespace {

struct Fixture {
    const char* name;
    std::optional<VoiceGroup> group; // a ready-made group
    SoundSettings settings;
    friend std::ostream& operator<<(std::ostream& out, const Fixture& f) { return out << f.name; }
};

const Fixture kFixtures[] = {
    // Strings, no lengthening, the start-up drums every five tokens, chords in 4/2.
    {"winter-evening",
     VoiceGroup::kStrings,
     {.lengthen = false, .drumsOn = true, .accompanimentOn = true}},
    // Voices by hand, the softest dynamics with the most boost, the fastest tempo, sustain,
    // drums on every token, chords in 3/4; the tonal melody has "+++" tokens.
    {"onegin",
     std::nullopt,
     {.dynamicsPercent = 30,
      .boostPercent = 70,
      .beatsPerMinute = 200,
      .numerator = 3,
      .denominator = 4,
      .soprano = 73,
      .mezzo = {true, 40},
      .tenor = {true, 32},
      .bass = {true, 0},
      .drumsOn = true,
      .firstDrumKey = 36,
      .lastDrumKey = 42,
      .drumMap = 3,
      .accompanimentOn = true,
      .accompaniment = 48,
      .effect = OutputEffect::kSustain}},
    // Brass, the slowest tempo, modulation, the longest drum map, 12/16; the stanza break
    // gives a marked rest.
    {"peasant-children",
     VoiceGroup::kBrass,
     {.beatsPerMinute = 40,
      .numerator = 12,
      .denominator = 16,
      .drumsOn = true,
      .drumMap = 10,
      .accompanimentOn = true,
      .effect = OutputEffect::kModulation}},
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class WholeVerse : public testing::TestWithParam<Fixture> {};

TEST_P(WholeVerse, EqualsTheReviewedFileAndReadsBackAsTheReviewedEvents) {
    const std::string base = std::string(KVAT_TEST_DATA) + "/midi/" + GetParam().name;
    std::istringstream lines(Read(base + ".tokens"));
    std::vector<std::string> tokens;
    for (std::string token; std::getline(lines, token);) tokens.push_back(token);
    ASSERT_GT(tokens.size(), 20u);
    SoundSettings settings = GetParam().settings;
    if (GetParam().group) ApplyGroup(settings, *GetParam().group);

    const TrackBytes file = ArrangeMelody(tokens, settings);
    const auto reading = test::WriteAndReadWithMido(std::string(GetParam().name) + ".mid", file);
    if (std::getenv("KVAT_UPDATE_FIXTURES")) {
        std::ofstream(base + ".mid", std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
        std::ofstream(base + ".events", std::ios::binary) << reading.output;
    }
    EXPECT_TRUE(std::string(file.begin(), file.end()) == Read(base + ".mid"))
        << "the file differs from " << base << ".mid";
    ASSERT_TRUE(reading.accepted) << reading.output;
    EXPECT_EQ(reading.output, Read(base + ".events"));
    EXPECT_EQ(test::NotesLeftSounding(reading), std::vector<std::string>{});
    // A rest sounds no note.
    EXPECT_EQ(reading.Of("note_on", 0).size(),
              std::count_if(tokens.begin(), tokens.end(), [](auto& t) { return t[0] != '0'; }));
}

INSTANTIATE_TEST_SUITE_P(AllPartsOn, WholeVerse, testing::ValuesIn(kFixtures),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace kvat
