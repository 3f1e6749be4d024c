// The score layout, from a verse through its syllables and melody as the window draws it, or
// from any rows and tokens at all: no note, rest, ledger line, accent or syllable outside the
// canvas, a column index that finds everything a visible band needs, and text ranges that stay
// inside the layout's text.

#include "fuzz_support.h"

#include "melody/melody.h"
#include "score/item_extent.h"
#include "score/score_layout.h"
#include "verse/analysis.h"
#include "verse/syllables.h"

#include <algorithm>

namespace kvat::fuzz {
namespace {

// Where an item sits on the canvas: a note's head on its staff step (the glyph's cell starts
// 240 twips above it), a line's ends, any other text's pen position.
void CheckItem(const ScoreLayout& layout, const ScoreItem& item, std::size_t tokens) {
    Require(item.textStart <= layout.text.size() &&
                item.textLength <= layout.text.size() - item.textStart,
            "an item's text lies outside the layout's text");
    Require(item.column >= -1 && item.column < static_cast<std::int64_t>(tokens),
            "an item of a column with no token");
    const auto inside = [&](float x, float y) {
        return x >= 0 && x <= layout.canvasWidth && y >= 0 && y <= layout.canvasHeight;
    };
    const bool onCanvas = item.role == ItemRole::kNote ? inside(item.x, item.y + 240)
                          : item.role == ItemRole::kLedgerLine
                              ? inside(item.x, item.y) && inside(item.x2, item.y2)
                              : inside(item.x, item.y);
    const auto placed = {ItemRole::kNote, ItemRole::kRest, ItemRole::kAccent, ItemRole::kSyllable,
                         ItemRole::kLedgerLine};
    Require(onCanvas || std::find(placed.begin(), placed.end(), item.role) == placed.end(),
            "a note, rest, ledger line, accent or syllable outside the canvas");
}

void CheckLayout(const ScoreLayout& layout, std::size_t tokens, float bandLeft, float bandWidth) {
    for (const ScoreItem& item : layout.items) CheckItem(layout, item, tokens);
    Require(layout.colours.size() == static_cast<std::size_t>(std::count_if(
                                         layout.items.begin(), layout.items.end(),
                                         [](auto& i) { return i.role == ItemRole::kSyllable; })),
            "not one colour per drawn syllable");
    Require(layout.longestStaff < layout.items.size() &&
                layout.items[layout.longestStaff].kind == ItemKind::kStaff,
            "the longest staff is not a staff");
    const std::size_t columns = layout.ColumnCount();
    Require(layout.columnReach.size() == columns &&
                layout.columnStart.size() == (columns ? columns + 1 : 0),
            "column edges and starts of different lengths");
    Require(std::is_sorted(layout.columnStart.begin(), layout.columnStart.end()) &&
                (columns == 0 || layout.columnStart.back() == layout.items.size()),
            "column starts do not cover the items in order");
    Require(std::is_sorted(layout.columnLeft.begin(), layout.columnLeft.end()) &&
                std::is_sorted(layout.columnReach.begin(), layout.columnReach.end()),
            "column edges that the binary searches cannot use");
    Require(layout.scrollMaximum >= 0 && static_cast<std::size_t>(layout.scrollMaximum) <= columns,
            "more scroll steps than columns");
    // Whatever a band of the canvas meets must lie in the columns the index gives for it.
    const TwipRect band{bandLeft, -1e30f, bandLeft + bandWidth, 1e30f};
    const ColumnRange range = ColumnsMeeting(layout, band.left, band.right);
    for (std::size_t c = 0; c < columns; ++c)
        for (auto i = layout.columnStart[c]; i < layout.columnStart[c + 1]; ++i)
            Require((c >= range.first && c < range.last) ||
                        layout.items[i].role == ItemRole::kStaffExtension ||
                        !ItemExtent(layout.items[i]).Intersects(band),
                    "an item meeting the band lies in a column the index leaves out");
}

} // namespace
} // namespace kvat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const ScoreHeader header{.tempoTerm = LenientText(data.ConsumeRandomLengthString(32)),
                             .beatsPerMinute = SettingValue(data, 40, 200),
                             .dynamicsGlyph = data.ConsumeIntegral<char32_t>(),
                             .numerator = SettingValue(data, 0, 16),
                             .denominator = SettingValue(data, 0, 16)};
    // The smallest viewport the window gives the score, up to far larger ones.
    const ScoreOptions options{.accents = data.ConsumeBool(),
                               .colour = data.ConsumeBool(),
                               .viewportWidth = data.ConsumeFloatingPointInRange<float>(4215, 1e6),
                               .viewportHeight =
                                   data.ConsumeFloatingPointInRange<float>(1575, 1e5)};
    const float bandLeft = data.ConsumeFloatingPointInRange<float>(-1e4, 1e6);
    const float bandWidth = data.ConsumeFloatingPointInRange<float>(0, 1e5);
    const bool fromVerse = data.ConsumeBool();
    const int method = data.ConsumeIntegralInRange(0, 9);
    const Lines lines = VerseLines(data.ConsumeRemainingBytesAsString());

    // As the window draws a verse: its rows and its melody by the given method; or rows and
    // tokens taken straight from the text's lines, alternately.
    std::vector<std::u32string> rows;
    std::vector<std::string> tokens;
    if (fromVerse) {
        const DividedText divided = DivideSyllables(lines);
        for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.emplace_back(divided.Row(k));
        const VerseAnalysis analysis = AnalyseVerse(lines, U',');
        const MetreState metre{analysis.templates, Metre(analysis.metre.value_or(kTrochee))};
        if (const auto melody = GenerateMelody(lines, metre, {.method = Method(method)})) {
            RequireMelody(lines, melody->text);
            tokens = MelodyTokens(melody->text);
        }
    } else {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (i % 2 == 0)
                rows.push_back(lines[i]);
            else
                tokens.emplace_back(lines[i].begin(), lines[i].end());
    }
    const std::vector<std::u32string_view> rowViews(rows.begin(), rows.end());
    const std::vector<std::string_view> tokenViews(tokens.begin(), tokens.end());
    CheckLayout(LayoutScore(rowViews, tokenViews, header, options), tokens.size(), bandLeft,
                bandWidth);
    return 0;
}
