// Methods 8 and 9: a fixed motif per metre.

#include "melody_support.h"

namespace kvat::test {
namespace {

struct MotifCase {
    std::u32string_view text;
    int metre;
    Tokens method8;
    Tokens method9;
};

TEST(TemplateMotif, MotifsOfTheThreeFamilies) {
    const MotifCase cases[] = {
        {U"юла", kTrochee, {"69+", "67", "0"}, {"69+", "65", "0"}},
        {U"мама мыла раму",
         kDactyl,
         {"65+", "67", "69", "67+", "67", "65", "0"},
         {"65+", "67", "67", "65+", "67", "67", "0"}},
        {U"мама мыла", kIamb, {"65", "67+", "65", "64++", "0"}, {"65", "67+", "65", "64++", "0"}},
        // By hand: the ternary motif from its opening position.
        {U"мама мыла раму",
         kManualMetre,
         {"67+", "65", "67", "69+", "67", "67", "0"},
         {"67+", "65", "67", "67+", "65", "67", "0"}},
    };
    for (const auto& c : cases) {
        const auto metre = Metre(c.metre, {"100100"});
        EXPECT_EQ(Melody(c.text, metre, Method(8)), c.method8) << c.metre;
        EXPECT_EQ(Melody(c.text, metre, Method(9)), c.method9) << c.metre;
    }
}

TEST(TemplateMotif, StepsPastTheTableAreRestsThatKeepTheirMarks) {
    // From the lowest base, soft falls and hard rises drift two steps down per motif; the 23rd
    // and 24th syllables fall below the table.
    std::u32string line = U"я";
    for (int i = 0; i < 6; ++i) line += U"ееаа";
    MelodySettings settings = Method(8, false);
    settings.keyShift = -7;
    Tokens tokens = Melody(line, Metre(kTrochee), settings);
    ASSERT_EQ(tokens.size(), 26u);
    EXPECT_EQ(Tokens(tokens.begin() + 17, tokens.end()),
              (Tokens{"40", "36+", "38", "40+", "36", "0++", "0", "36++", "0"}));
    settings.lengthen = true;
    tokens = Melody(line, Metre(kTrochee), settings);
    ASSERT_EQ(tokens.size(), 26u);
    EXPECT_EQ(Tokens(tokens.begin() + 17, tokens.end()),
              (Tokens{"40", "36+", "38", "40+", "36+", "0++", "0", "36++", "0"}));
}

} // namespace
} // namespace kvat::test
