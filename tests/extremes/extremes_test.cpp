// The core at the far ends of what it accepts: sound settings at the limits of int, and a score
// as long as one 5 MB line of verse makes.

#include "midi/arrangement.h"
#include "score/score_layout.h"

#include <gtest/gtest.h>

#include <limits>

namespace kvat {
namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

// The keys of the drum strokes, in order. Every event carries its status byte and data bytes
// stay below 128, so a 0x99 byte is always a note-on on the drum channel.
std::vector<int> DrumKeys(const std::vector<std::string>& tokens, const SoundSettings& settings) {
    const TrackBytes file = ArrangeMelody(tokens, settings);
    std::vector<int> keys;
    for (std::size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0x99) keys.push_back(file[i + 1]);
    return keys;
}

TEST(SettingsAtIntLimits, DrumKeysClampToADataByteAndAMapNoFigureCanCompleteStrikesNothing) {
    SoundSettings settings{
        .drumsOn = true, .firstDrumKey = kIntMax, .lastDrumKey = kIntMin, .drumMap = 3};
    // The low end clamps to key 0, which is never written.
    EXPECT_EQ(DrumKeys({6, "60"}, settings), (std::vector<int>{127, 127, 127, 127}));
    for (const int map : {kIntMin, -2, 0, 1000, kIntMax}) {
        settings.drumMap = map;
        EXPECT_TRUE(DrumKeys({12, "60+"}, settings).empty()) << map;
    }
}

// Past 2^29 twips a float sum of 800-twip columns falls 32 twips short at every step; 700 000
// columns reach far enough for the last notes to drift off a summed canvas.
TEST(LongScore, LastColumnOfSevenHundredThousandStaysOnTheCanvas) {
    constexpr std::size_t kColumns = 700'000;
    const std::vector<std::u32string_view> rows(kColumns, U"ма ");
    const std::vector<std::string_view> tokens(kColumns, "60");
    const ScoreLayout layout = LayoutScore(rows, tokens, ScoreHeader(), ScoreOptions());
    ASSERT_EQ(layout.ColumnCount(), kColumns);
    const double expected = ScoreOptions().viewportWidth + kColumnWidth * double(kColumns);
    EXPECT_NEAR(layout.canvasWidth, expected, 64); // a float's spacing up there
    for (auto i = layout.columnStart[kColumns - 1]; i < layout.items.size(); ++i) {
        const ScoreItem& item = layout.items[i];
        EXPECT_LE(item.kind == ItemKind::kText ? item.x : std::max(item.x, item.x2),
                  layout.canvasWidth)
            << static_cast<int>(item.role);
    }
}

} // namespace
} // namespace kvat
