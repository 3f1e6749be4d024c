// The score layout where the golden JSON (tests/data/score) does not reach: time signatures
// that are not drawn, notes at the table's ends and off it, accents and colours switched off,
// runs cut short by a bad token or by missing rows, and the column index.

#include "score/item_extent.h"
#include "score/score_layout.h"

#include <gtest/gtest.h>

#include <random>

namespace kvat {
namespace {

using Tokens = std::vector<std::string>;
using Rows = std::vector<std::u32string>;

ScoreLayout Layout(const Tokens& tokens, const Rows& rows, ScoreOptions options = {},
                   ScoreHeader header = {}) {
    const std::vector<std::string_view> tokenViews(tokens.begin(), tokens.end());
    const std::vector<std::u32string_view> rowViews(rows.begin(), rows.end());
    return LayoutScore(rowViews, tokenViews, header, options);
}

std::vector<ScoreItem> ItemsOf(const ScoreLayout& layout, ItemRole role) {
    std::vector<ScoreItem> found;
    std::copy_if(layout.items.begin(), layout.items.end(), std::back_inserter(found),
                 [&](const ScoreItem& item) { return item.role == role; });
    return found;
}

TEST(ScoreHeader, AnUpsideDownTimeSignatureIsNotDrawn) {
    const ScoreLayout layout = Layout({}, {}, {}, {.numerator = 16, .denominator = 12});
    EXPECT_TRUE(ItemsOf(layout, ItemRole::kNumerator).empty());
    EXPECT_TRUE(ItemsOf(layout, ItemRole::kDenominator).empty());
}

TEST(ScoreNotes, TheTablesEndsAndWhatIsOffIt) {
    const std::tuple<std::string, std::u32string, float> cases[] = {{"94++", U"d(", 6.47f},
                                                                    {"36", U";", 1326.47f},
                                                                    {"5", U";", 686.47f},
                                                                    {"0+++", U"M", 632.5f}};
    for (const auto& [token, glyphs, y] : cases) {
        const ScoreLayout layout = Layout({token}, {U"ма "});
        ASSERT_EQ(layout.ColumnCount(), 1u) << token;
        const ScoreItem& item = layout.items[layout.columnStart[0]];
        EXPECT_EQ(layout.Text(item), glyphs) << token;
        EXPECT_NEAR(item.y, y, 0.01f) << token;
    }
}

TEST(ScoreNotes, WithoutAccentsOrColoursTheListStillFills) {
    const ScoreLayout layout = Layout({"64+", "65++"}, {U"ле - ", U"то "}, {.accents = false});
    EXPECT_TRUE(ItemsOf(layout, ItemRole::kAccent).empty());
    EXPECT_EQ(layout.colours, (std::vector<ColourValue>{0x00C000, 0x00CFFF}));
    for (const auto& syllable : ItemsOf(layout, ItemRole::kSyllable))
        EXPECT_EQ(syllable.colour, kScoreForeground);
}

// A bad token ends the score before it; a token without a row keeps its note, ledger line and
// accent only. Either way two syllables are drawn and scrolled through.
TEST(ScoreStops, ABadTokenOrTheLastRowEndsTheSyllables) {
    std::vector<std::pair<ScoreLayout, std::size_t>> runs; // and the notes drawn
    for (const std::string bad : {"", "x", "6x", "+", "-5", "32768"})
        runs.emplace_back(Layout({"64", "65+", bad, "67"}, Rows(4, U"ма ")), 2);
    runs.emplace_back(Layout({"64", "65", "61+", "67"}, Rows(2, U"ма ")), 3);
    for (const auto& [layout, notes] : runs) {
        EXPECT_EQ(layout.ColumnCount(), notes);
        EXPECT_EQ(layout.colours.size(), 2u);
        EXPECT_EQ(layout.scrollMaximum, 2);
        EXPECT_EQ(layout.canvasWidth, 4215 + 2 * 800);
        for (ItemRole role : {ItemRole::kSyllable, ItemRole::kStaffExtension})
            EXPECT_EQ(ItemsOf(layout, role).size(), 2u);
    }
    const ScoreLayout& noRow = runs.back().first;
    EXPECT_EQ(noRow.Text(ItemsOf(noRow, ItemRole::kNote).back()), U"d:");
    for (ItemRole role : {ItemRole::kLedgerLine, ItemRole::kAccent})
        EXPECT_EQ(ItemsOf(noRow, role).at(0).column, 2);
    EXPECT_EQ(runs.front().first.items[runs.front().first.longestStaff].column, 1);
}

// Every item that meets a band of the canvas lies in the columns the binary searches return,
// and those are few: the window draws only them.
TEST(ScoreIndex, ColumnSearchFindsEverythingABandNeeds) {
    Tokens tokens;
    Rows rows;
    std::mt19937 random(7);
    const Tokens kinds = {"64", "61+", "95++", "0", "50", "84+"};
    for (int i = 0; i < 400; ++i) {
        tokens.push_back(kinds[random() % kinds.size()]);
        // Now and then a row long enough to run under many following notes.
        rows.push_back(random() % 40 == 0 ? std::u32string(60, U'щ') + U"а " : U"ма ");
    }
    const ScoreLayout layout = Layout(tokens, rows);
    for (int trial = 0; trial < 300; ++trial) {
        const float left = static_cast<float>(random() % 330000) - 1000;
        const float right = left + static_cast<float>(random() % 6000);
        const ColumnRange range = ColumnsMeeting(layout, left, right);
        EXPECT_LE(range.last - range.first, 80u);
        for (const auto& item : layout.items) {
            if (item.column < 0 || item.role == ItemRole::kStaffExtension) continue;
            if (!ItemExtent(item).Intersects({left, -1e9f, right, 1e9f})) continue;
            EXPECT_GE(static_cast<std::size_t>(item.column), range.first) << left;
            EXPECT_LT(static_cast<std::size_t>(item.column), range.last) << right;
        }
    }
}

} // namespace
} // namespace kvat
