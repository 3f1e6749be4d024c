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

using Strings = std::vector<std::u32string>;
using Tokens = std::vector<std::string>;

constexpr float kTolerance = 0.01f;

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

ScoreLayout Layout(const Tokens& tokens, const Strings& rows, ScoreOptions options = {},
                   ScoreHeader header = {}) {
    const std::vector<std::string_view> tokenViews(tokens.begin(), tokens.end());
    const std::vector<std::u32string_view> rowViews(rows.begin(), rows.end());
    return LayoutScore(rowViews, tokenViews, header, options);
}

// One syllable row per token, as the divided text gives them.
Strings RowsFor(std::size_t count) {
    return Strings(count, U"ма ");
}

TEST(ScoreHeader, StaffClefAndTimeSignatureAtTheWindowHeight) {
    const ScoreLayout layout = Layout({}, {});
    const ScoreItem staff = OnlyItem(layout, ItemRole::kStaff);
    EXPECT_EQ(staff.kind, ItemKind::kStaff);
    EXPECT_EQ(staff.x, 0);
    EXPECT_EQ(staff.x2, 4215);
    EXPECT_NEAR(StaffLineY(staff, 0), 926.47f, kTolerance);
    EXPECT_NEAR(StaffLineY(staff, 4), 606.47f, kTolerance);
    EXPECT_EQ(staff.y2, StaffLineY(staff, 4));
    for (int k = 1; k < 5; ++k)
        EXPECT_NEAR(StaffLineY(staff, k - 1) - StaffLineY(staff, k), 80.f, kTolerance);

    const ScoreItem clef = OnlyItem(layout, ItemRole::kClef);
    EXPECT_EQ(layout.Text(clef), U"$");
    EXPECT_EQ(clef.font, ScoreFont::kSymbols);
    EXPECT_EQ(clef.size, 14);
    EXPECT_FALSE(clef.italic);
    EXPECT_EQ(clef.x, 50);
    EXPECT_NEAR(clef.y, 443.33f, kTolerance);

    const ScoreItem numerator = OnlyItem(layout, ItemRole::kNumerator);
    const ScoreItem denominator = OnlyItem(layout, ItemRole::kDenominator);
    EXPECT_EQ(layout.Text(numerator), U"4");
    EXPECT_EQ(layout.Text(denominator), U"2");
    EXPECT_NEAR(numerator.y, 572.73f, kTolerance);
    EXPECT_NEAR(denominator.y, 732.56f, kTolerance);

    const ScoreItem dynamics = OnlyItem(layout, ItemRole::kDynamics);
    EXPECT_EQ(layout.Text(dynamics), std::u32string(1, char32_t{111}));
    EXPECT_EQ(dynamics.x, 600);
    EXPECT_EQ(dynamics.y, 250);
    EXPECT_EQ(dynamics.size, 14);
}

TEST(ScoreHeader, TempoMarkFollowsTheLengthOfTheTerm) {
    ScoreHeader header;
    header.tempoTerm = U"Allegro moderato"; // 16 characters
    header.beatsPerMinute = 108;
    const ScoreLayout layout = Layout({}, {}, {}, header);
    const ScoreItem term = OnlyItem(layout, ItemRole::kTempoTerm);
    const ScoreItem note = OnlyItem(layout, ItemRole::kTempoNote);
    const ScoreItem value = OnlyItem(layout, ItemRole::kTempoValue);
    EXPECT_EQ(layout.Text(term), U"Allegro moderato");
    EXPECT_EQ(term.x, 400);
    EXPECT_EQ(note.x, 1990);
    EXPECT_EQ(value.x, 2070);
    EXPECT_EQ(layout.Text(note), U":");
    EXPECT_EQ(layout.Text(value), U" = 108");
    for (const auto& item : {term, note, value}) {
        EXPECT_EQ(item.y, 30);
        EXPECT_EQ(item.size, 8);
        EXPECT_TRUE(item.italic);
    }
    EXPECT_EQ(note.font, ScoreFont::kSymbols);
    EXPECT_EQ(term.font, ScoreFont::kText);

    header.tempoTerm = U"Vivo";
    EXPECT_EQ(OnlyItem(Layout({}, {}, {}, header), ItemRole::kTempoNote).x, 910);
}

struct TimeSignatureCase {
    int numerator, denominator;
    std::u32string numeratorText; // empty: nothing drawn
    float numeratorX;
    std::u32string denominatorText;
    float denominatorX;
};

void PrintTo(const TimeSignatureCase& c, std::ostream* out) {
    *out << c.numerator << '/' << c.denominator;
}

class TimeSignatureTest : public ::testing::TestWithParam<TimeSignatureCase> {};

TEST_P(TimeSignatureTest, OneDigitAt400TheTwoDigitValueAt350) {
    const TimeSignatureCase& c = GetParam();
    ScoreHeader header;
    header.numerator = c.numerator;
    header.denominator = c.denominator;
    const ScoreLayout layout = Layout({}, {}, {}, header);
    const auto check = [&](ItemRole role, const std::u32string& text, float x) {
        const auto items = ItemsOf(layout, role);
        if (text.empty()) {
            EXPECT_TRUE(items.empty());
            return;
        }
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(layout.Text(items[0]), text);
        EXPECT_EQ(items[0].x, x);
    };
    check(ItemRole::kNumerator, c.numeratorText, c.numeratorX);
    check(ItemRole::kDenominator, c.denominatorText, c.denominatorX);
}

INSTANTIATE_TEST_SUITE_P(Values, TimeSignatureTest,
                         ::testing::Values(TimeSignatureCase{6, 4, U"6", 400, U"4", 400},
                                           TimeSignatureCase{12, 8, U"12", 350, U"8", 400},
                                           TimeSignatureCase{3, 16, U"3", 400, U"16", 350},
                                           TimeSignatureCase{10, 12, U"", 0, U"", 0},
                                           TimeSignatureCase{16, 11, U"", 0, U"", 0},
                                           TimeSignatureCase{-1, 0, U"", 0, U"0", 400}));

TEST(ScoreNotes, PlacementSharpAndLedgerLine) {
    const ScoreLayout layout = Layout({"64+", "71", "61++"}, RowsFor(3));
    const auto notes = ItemsOf(layout, ItemRole::kNote);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(layout.Text(notes[0]), U":");
    EXPECT_EQ(notes[0].x, 1000);
    EXPECT_NEAR(notes[0].y, 686.47f, kTolerance);
    EXPECT_EQ(layout.Text(notes[1]), U"*");
    EXPECT_EQ(notes[1].x, 1800);
    EXPECT_NEAR(notes[1].y, 526.47f, kTolerance);
    EXPECT_EQ(layout.Text(notes[2]), U"d.");
    EXPECT_EQ(notes[2].x, 2600);
    EXPECT_NEAR(notes[2].y, 766.47f, kTolerance);
    for (const auto& note : notes) {
        EXPECT_EQ(note.font, ScoreFont::kSymbols);
        EXPECT_EQ(note.size, 14);
        EXPECT_FALSE(note.italic);
    }

    const ScoreItem ledger = OnlyItem(layout, ItemRole::kLedgerLine);
    EXPECT_EQ(ledger.column, 2);
    EXPECT_EQ(ledger.x, 2550);
    EXPECT_EQ(ledger.x2, 2750);
    EXPECT_NEAR(ledger.y, 1006.47f, kTolerance);
    EXPECT_EQ(ledger.y2, ledger.y);
}

struct GlyphCase {
    std::string token;
    std::u32string glyphs;
    float y;
};

void PrintTo(const GlyphCase& c, std::ostream* out) {
    *out << c.token;
}

class NoteGlyphTest : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(NoteGlyphTest, StemTurnsDownFromTheMiddleLine) {
    const ScoreLayout layout = Layout({GetParam().token}, RowsFor(1));
    ASSERT_EQ(layout.ColumnCount(), 1u);
    const ScoreItem& glyph = layout.items[layout.columnStart[0]];
    EXPECT_EQ(layout.Text(glyph), GetParam().glyphs);
    EXPECT_NEAR(glyph.y, GetParam().y, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, NoteGlyphTest,
    ::testing::Values(GlyphCase{"69", U";", 566.47f}, // step 3: up
                      GlyphCase{"71", U"*", 526.47f}, // step 4: down
                      GlyphCase{"69+", U":", 566.47f}, GlyphCase{"71+", U")", 526.47f},
                      GlyphCase{"69++", U".", 566.47f}, GlyphCase{"72+++", U"(", 486.47f},
                      GlyphCase{"70", U"d;", 566.47f}, GlyphCase{"94++", U"d(", 6.47f},
                      GlyphCase{"36", U";", 1326.47f}, GlyphCase{"5", U";", 686.47f},
                      // Every number 0 is the quarter rest, marks or not.
                      GlyphCase{"0", U"M", 632.5f}, GlyphCase{"0+", U"M", 632.5f},
                      GlyphCase{"0+++", U"M", 632.5f}));

TEST(ScoreNotes, AccentsOnlyOverMarkedNotesWhenTheBoostIsOn) {
    const Tokens tokens = {"64", "64+", "64++", "0", "0+", "64+++"};
    const ScoreLayout on = Layout(tokens, RowsFor(tokens.size()));
    const auto accents = ItemsOf(on, ItemRole::kAccent);
    ASSERT_EQ(accents.size(), 3u);
    const int expectedColumns[] = {1, 2, 5};
    for (std::size_t k = 0; k < accents.size(); ++k) {
        EXPECT_EQ(accents[k].column, expectedColumns[k]);
        EXPECT_EQ(on.Text(accents[k]), U">");
        EXPECT_EQ(accents[k].x, 1000.f + 800.f * expectedColumns[k]);
        EXPECT_EQ(accents[k].y, 220);
        EXPECT_EQ(accents[k].size, 7);
        EXPECT_FALSE(accents[k].italic);
    }
    ScoreOptions off;
    off.accents = false;
    EXPECT_TRUE(ItemsOf(Layout(tokens, RowsFor(tokens.size()), off), ItemRole::kAccent).empty());
}

TEST(ScoreSyllables, RowsUnderTheirNotesWithTheColourList) {
    const Tokens tokens = {"64", "65+", "67", "0"};
    const Strings rows = {U"ле - ", U"то ", U"пр ", U"_ "};
    for (bool colour : {false, true}) {
        ScoreOptions options;
        options.colour = colour;
        const ScoreLayout layout = Layout(tokens, rows, options);
        const auto syllables = ItemsOf(layout, ItemRole::kSyllable);
        ASSERT_EQ(syllables.size(), 4u);
        EXPECT_EQ(layout.Text(syllables[0]), U"ле - ");
        EXPECT_EQ(layout.Text(syllables[3]), U" "); // the line end prints as a space
        const std::vector<ColourValue> expected = {0x00C000, 0x00CFFF, 0, 0xFFFFFF};
        EXPECT_EQ(layout.colours, expected) << "the list fills whether the option is on or not";
        EXPECT_EQ(ColourListText(layout.colours), U"&HC000\r\n&HCFFF\r\n&H0\r\n&HFFFFFF\r\n");
        for (std::size_t k = 0; k < syllables.size(); ++k) {
            EXPECT_EQ(syllables[k].x, 950.f + 800.f * k);
            EXPECT_EQ(syllables[k].y, 1275);
            EXPECT_EQ(syllables[k].font, ScoreFont::kText);
            EXPECT_EQ(syllables[k].size, 8);
            EXPECT_TRUE(syllables[k].italic);
            EXPECT_EQ(syllables[k].colour, colour ? expected[k] : kScoreForeground);
        }
    }
}

TEST(ScoreColumns, EachCompleteTokenWidensTheCanvasAndTheScroll) {
    const ScoreLayout empty = Layout({}, {U" "});
    EXPECT_EQ(empty.scrollMaximum, 0);
    EXPECT_EQ(empty.canvasWidth, 4215);
    EXPECT_TRUE(empty.colours.empty());
    EXPECT_EQ(empty.ColumnCount(), 0u);
    EXPECT_EQ(empty.items.size(), 8u) << "staff, tempo mark, dynamics, clef, time signature";

    const Tokens tokens = {"64", "65", "0", "67", "69", "0"};
    const ScoreLayout layout = Layout(tokens, RowsFor(tokens.size()));
    EXPECT_EQ(layout.scrollMaximum, 6);
    EXPECT_EQ(layout.canvasWidth, 4215 + 6 * 800);
    EXPECT_EQ(layout.canvasHeight, 1575);
    const auto extensions = ItemsOf(layout, ItemRole::kStaffExtension);
    ASSERT_EQ(extensions.size(), 6u);
    for (std::size_t k = 0; k < extensions.size(); ++k) {
        EXPECT_EQ(extensions[k].kind, ItemKind::kStaff);
        EXPECT_EQ(extensions[k].column, static_cast<int>(k));
        EXPECT_EQ(extensions[k].x, 0);
        EXPECT_EQ(extensions[k].x2, 4215.f + 800.f * (k + 1));
        EXPECT_NEAR(extensions[k].y, 926.47f, kTolerance);
        EXPECT_NEAR(extensions[k].y2, 606.47f, kTolerance);
    }
    const ScoreItem& longest = layout.items[layout.longestStaff];
    EXPECT_EQ(longest.role, ItemRole::kStaffExtension);
    EXPECT_EQ(longest.column, 5);
    EXPECT_NEAR(longest.y, 926.47f, kTolerance);

    // Items of a column all belong to it, and the columns follow each other.
    ASSERT_EQ(layout.columnStart.size(), tokens.size() + 1);
    for (std::size_t c = 0; c < tokens.size(); ++c)
        for (auto i = layout.columnStart[c]; i < layout.columnStart[c + 1]; ++i)
            EXPECT_EQ(layout.items[i].column, static_cast<int>(c));
    EXPECT_EQ(layout.columnStart.back(), layout.items.size());
}

TEST(ScoreStops, BadTokenEndsTheScoreBeforeIt) {
    for (const std::string bad : {"", "x", "6x", "+", "123456"}) {
        const ScoreLayout layout = Layout({"64", "65+", bad, "67"}, RowsFor(4));
        EXPECT_EQ(layout.ColumnCount(), 2u);
        EXPECT_EQ(ItemsOf(layout, ItemRole::kNote).size(), 2u);
        EXPECT_EQ(ItemsOf(layout, ItemRole::kSyllable).size(), 2u);
        EXPECT_EQ(layout.colours.size(), 2u);
        EXPECT_EQ(layout.scrollMaximum, 2);
        EXPECT_EQ(layout.canvasWidth, 4215 + 2 * 800);
        EXPECT_EQ(layout.items.back().role, ItemRole::kStaffExtension);
    }
}

TEST(ScoreStops, TokenWithoutARowKeepsItsNoteAndNothingAfter) {
    // The third token has no row: its sharp, note, ledger line and accent are drawn, then the
    // run ends without its syllable, colour, staff extension or scroll step.
    const ScoreLayout layout = Layout({"64", "65", "61+", "67"}, {U"ма ", U"ма "});
    EXPECT_EQ(layout.ColumnCount(), 3u);
    const auto notes = ItemsOf(layout, ItemRole::kNote);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(layout.Text(notes[2]), U"d:");
    EXPECT_EQ(OnlyItem(layout, ItemRole::kLedgerLine).column, 2);
    EXPECT_EQ(OnlyItem(layout, ItemRole::kAccent).column, 2);
    EXPECT_EQ(ItemsOf(layout, ItemRole::kSyllable).size(), 2u);
    EXPECT_EQ(layout.colours.size(), 2u);
    EXPECT_EQ(ItemsOf(layout, ItemRole::kStaffExtension).size(), 2u);
    EXPECT_EQ(layout.scrollMaximum, 2);
    EXPECT_EQ(layout.canvasWidth, 4215 + 2 * 800);
    EXPECT_EQ(layout.items[layout.longestStaff].column, 1);
}

TEST(ScoreStops, NoRowsAtAllDrawsTheFirstNoteOnly) {
    const ScoreLayout layout = Layout({"64", "65"}, {});
    EXPECT_EQ(ItemsOf(layout, ItemRole::kNote).size(), 1u);
    EXPECT_EQ(layout.scrollMaximum, 0);
    EXPECT_EQ(layout.items[layout.longestStaff].role, ItemRole::kStaff);
}

TEST(ScoreGeometry, OtherViewportHeightsScaleTheStaff) {
    ScoreOptions options;
    options.viewportHeight = 3400;
    const ScoreLayout layout = Layout({"71", "0"}, RowsFor(2), options);
    EXPECT_NEAR(ItemsOf(layout, ItemRole::kStaff)[0].y, 2000.f, kTolerance);
    EXPECT_NEAR(OnlyItem(layout, ItemRole::kNote).y, 2000.f - 240 - 160, kTolerance);
    EXPECT_NEAR(OnlyItem(layout, ItemRole::kRest).y, 3400 / 2.8 + 70, kTolerance);
    EXPECT_EQ(ItemsOf(layout, ItemRole::kSyllable)[0].y, 3100);
}

// Every item that meets a band of the canvas lies in the columns the binary searches return.
TEST(ScoreIndex, ColumnSearchFindsEverythingABandNeeds) {
    Tokens tokens;
    Strings rows;
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
        const TwipRect band{left, -1e9f, right, 1e9f};
        for (const auto& item : layout.items) {
            if (item.column < 0 || item.role == ItemRole::kStaffExtension) continue;
            if (!ItemExtent(item).Intersects(band)) continue;
            EXPECT_GE(static_cast<std::size_t>(item.column), range.first) << left;
            EXPECT_LT(static_cast<std::size_t>(item.column), range.last) << right;
        }
    }
}

TEST(ScoreIndex, LongVerseStaysCompact) {
    const std::size_t count = 100000;
    const ScoreLayout layout = Layout(Tokens(count, "64+"), Strings(count, U"ле - "));
    EXPECT_EQ(layout.scrollMaximum, static_cast<int>(count));
    EXPECT_EQ(layout.colours.size(), count);
    EXPECT_LE(layout.items.size(), 8 + 4 * count);
    const ColumnRange range = ColumnsMeeting(layout, 800.f * 70000, 800.f * 70000 + 4215);
    EXPECT_LE(range.last - range.first, 12u);
}

} // namespace
} // namespace kvat
