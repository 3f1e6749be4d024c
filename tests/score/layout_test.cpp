// The score layout: where every item lands for the window's 4215 × 1575 viewport, which items a
// token brings, and where a run stops.

#include "score/item_extent.h"
#include "score/score_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kvat {
namespace {

using Tokens = std::vector<std::string>;
using Rows = std::vector<std::u32string>;

constexpr float kTolerance = 0.01f;

ScoreLayout Layout(const Tokens& tokens, const Rows& rows, ScoreOptions options = {},
                   ScoreHeader header = {}) {
    const std::vector<std::string_view> tokenViews(tokens.begin(), tokens.end());
    const std::vector<std::u32string_view> rowViews(rows.begin(), rows.end());
    return LayoutScore(rowViews, tokenViews, header, options);
}

Rows RowsFor(std::size_t count) {
    return Rows(count, U"ма ");
}

std::vector<ScoreItem> ItemsOf(const ScoreLayout& layout, ItemRole role) {
    std::vector<ScoreItem> found;
    for (const auto& item : layout.items)
        if (item.role == role) found.push_back(item);
    return found;
}

ScoreItem OnlyItem(const ScoreLayout& layout, ItemRole role) {
    const auto found = ItemsOf(layout, role);
    EXPECT_EQ(found.size(), 1u);
    return found.empty() ? ScoreItem{} : found.front();
}

TEST(ScoreHeader, StaffClefTimeSignatureAndTempoMark) {
    const ScoreLayout layout = Layout({}, {});
    const ScoreItem staff = OnlyItem(layout, ItemRole::kStaff);
    EXPECT_EQ(staff.x2, 4215);
    EXPECT_NEAR(StaffLineY(staff, 0), 926.47f, kTolerance);
    EXPECT_NEAR(StaffLineY(staff, 4), 606.47f, kTolerance);
    EXPECT_EQ(staff.y2, StaffLineY(staff, 4));

    const ScoreItem clef = OnlyItem(layout, ItemRole::kClef);
    EXPECT_EQ(layout.Text(clef), U"$");
    EXPECT_EQ(clef.x, 50);
    EXPECT_NEAR(clef.y, 443.33f, kTolerance);
    EXPECT_NEAR(OnlyItem(layout, ItemRole::kNumerator).y, 572.73f, kTolerance);
    EXPECT_NEAR(OnlyItem(layout, ItemRole::kDenominator).y, 732.56f, kTolerance);
    EXPECT_EQ(layout.Text(OnlyItem(layout, ItemRole::kDynamics)), U"o"); // code 111, forte

    // "Allegro moderato" has 16 characters.
    const ScoreItem note = OnlyItem(layout, ItemRole::kTempoNote);
    const ScoreItem value = OnlyItem(layout, ItemRole::kTempoValue);
    EXPECT_EQ(note.x, 1990);
    EXPECT_EQ(value.x, 2070);
    EXPECT_EQ(layout.Text(value), U" = 108");
    EXPECT_EQ(note.font, ScoreFont::kSymbols);
    EXPECT_TRUE(note.italic);
}

TEST(ScoreHeader, OneDigitAt400TheTwoDigitValueAt350AnythingElseNothing) {
    ScoreHeader header;
    header.numerator = 12;
    header.denominator = 16;
    const ScoreLayout twoDigits = Layout({}, {}, {}, header);
    EXPECT_EQ(twoDigits.Text(OnlyItem(twoDigits, ItemRole::kNumerator)), U"12");
    EXPECT_EQ(OnlyItem(twoDigits, ItemRole::kNumerator).x, 350);
    EXPECT_EQ(twoDigits.Text(OnlyItem(twoDigits, ItemRole::kDenominator)), U"16");
    std::swap(header.numerator, header.denominator); // 16 over 12: neither is drawn
    const ScoreLayout swapped = Layout({}, {}, {}, header);
    EXPECT_TRUE(ItemsOf(swapped, ItemRole::kNumerator).empty());
    EXPECT_TRUE(ItemsOf(swapped, ItemRole::kDenominator).empty());
}

TEST(ScoreNotes, PlacementSharpAndLedgerLine) {
    const ScoreLayout layout = Layout({"64+", "71", "61++"}, RowsFor(3));
    const auto notes = ItemsOf(layout, ItemRole::kNote);
    ASSERT_EQ(notes.size(), 3u);
    const std::u32string glyphs[] = {U":", U"*", U"d."};
    const float ys[] = {686.47f, 526.47f, 766.47f};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(layout.Text(notes[i]), glyphs[i]);
        EXPECT_EQ(notes[i].x, 1000.f + 800.f * i);
        EXPECT_NEAR(notes[i].y, ys[i], kTolerance);
    }
    const ScoreItem ledger = OnlyItem(layout, ItemRole::kLedgerLine);
    EXPECT_EQ(ledger.column, 2);
    EXPECT_EQ(ledger.x, 2550);
    EXPECT_EQ(ledger.x2, 2750);
    EXPECT_NEAR(ledger.y, 1006.47f, kTolerance);
    EXPECT_EQ(ledger.y2, ledger.y);
}

TEST(ScoreNotes, LengthFromTheMarksStemDownFromTheMiddleLineEveryZeroARest) {
    const std::tuple<std::string, std::u32string, float> cases[] = {
        {"69", U";", 566.47f},  {"71", U"*", 526.47f},   {"69+", U":", 566.47f},
        {"71+", U")", 526.47f}, {"69++", U".", 566.47f}, {"72+++", U"(", 486.47f},
        {"94++", U"d(", 6.47f}, {"36", U";", 1326.47f},  {"5", U";", 686.47f},
        {"0", U"M", 632.5f},    {"0+", U"M", 632.5f},    {"0+++", U"M", 632.5f}};
    for (const auto& [token, glyphs, y] : cases) {
        const ScoreLayout layout = Layout({token}, RowsFor(1));
        ASSERT_EQ(layout.ColumnCount(), 1u) << token;
        const ScoreItem& item = layout.items[layout.columnStart[0]];
        EXPECT_EQ(layout.Text(item), glyphs) << token;
        EXPECT_NEAR(item.y, y, kTolerance) << token;
    }
}

TEST(ScoreNotes, AccentsOnlyOverMarkedNotesWhenTheBoostIsOn) {
    const Tokens tokens = {"64", "64+", "64++", "0", "0+", "64+++"};
    const auto accents = ItemsOf(Layout(tokens, RowsFor(tokens.size())), ItemRole::kAccent);
    ASSERT_EQ(accents.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const int column = std::array{1, 2, 5}[k];
        EXPECT_EQ(accents[k].column, column);
        EXPECT_EQ(accents[k].x, 1000.f + 800.f * column);
        EXPECT_EQ(accents[k].y, 220);
    }
    ScoreOptions off;
    off.accents = false;
    EXPECT_TRUE(ItemsOf(Layout(tokens, RowsFor(tokens.size()), off), ItemRole::kAccent).empty());
}

TEST(ScoreSyllables, RowsUnderTheirNotesColouredOnlyWhenAsked) {
    const Rows rows = {U"ле - ", U"то ", U"пр ", U"_ "};
    for (bool colour : {false, true}) {
        ScoreOptions options;
        options.colour = colour;
        const ScoreLayout layout = Layout({"64", "65+", "67", "0"}, rows, options);
        const std::vector<ColourValue> expected = {0x00C000, 0x00CFFF, 0, 0xFFFFFF};
        EXPECT_EQ(layout.colours, expected) << "the list fills whether the option is on or not";
        const auto syllables = ItemsOf(layout, ItemRole::kSyllable);
        ASSERT_EQ(syllables.size(), 4u);
        EXPECT_EQ(layout.Text(syllables[0]), U"ле - ");
        EXPECT_EQ(layout.Text(syllables[3]), U" "); // the line end prints as a space
        for (std::size_t k = 0; k < syllables.size(); ++k) {
            EXPECT_EQ(syllables[k].x, 950.f + 800.f * k);
            EXPECT_EQ(syllables[k].y, 1275);
            EXPECT_EQ(syllables[k].colour, colour ? expected[k] : kScoreForeground);
        }
    }
}

TEST(ScoreStops, BadTokenEndsTheScoreBeforeIt) {
    for (const std::string bad : {"", "x", "6x", "+", "-5", "32768"}) {
        const ScoreLayout layout = Layout({"64", "65+", bad, "67"}, RowsFor(4));
        EXPECT_EQ(layout.ColumnCount(), 2u) << bad;
        EXPECT_EQ(layout.colours.size(), 2u);
        EXPECT_EQ(layout.scrollMaximum, 2);
        EXPECT_EQ(layout.canvasWidth, 4215 + 2 * 800);
        EXPECT_EQ(layout.items[layout.longestStaff].column, 1);
    }
    EXPECT_TRUE(ItemsOf(Layout({}, RowsFor(1)), ItemRole::kNote).empty());
}

TEST(ScoreStops, TokenWithoutARowKeepsItsNoteLedgerAndAccentOnly) {
    const ScoreLayout layout = Layout({"64", "65", "61+", "67"}, RowsFor(2));
    EXPECT_EQ(layout.ColumnCount(), 3u);
    EXPECT_EQ(layout.Text(ItemsOf(layout, ItemRole::kNote).back()), U"d:");
    EXPECT_EQ(OnlyItem(layout, ItemRole::kLedgerLine).column, 2);
    EXPECT_EQ(OnlyItem(layout, ItemRole::kAccent).column, 2);
    EXPECT_EQ(ItemsOf(layout, ItemRole::kSyllable).size(), 2u);
    EXPECT_EQ(ItemsOf(layout, ItemRole::kStaffExtension).size(), 2u);
    EXPECT_EQ(layout.colours.size(), 2u);
    EXPECT_EQ(layout.scrollMaximum, 2);
    EXPECT_EQ(layout.canvasWidth, 4215 + 2 * 800);
}

// Every item that meets a band of the canvas lies in the columns the binary searches return.
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
