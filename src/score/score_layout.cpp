#include "score/score_layout.h"

#include "score/item_extent.h"
#include "score/melody_token.h"
#include "score/staff.h"

#include <algorithm>
#include <optional>

namespace kvat {
namespace {

constexpr float kTextSize = 8;
constexpr float kAccentSize = 7;
constexpr float kSymbolSize = 14;
constexpr double kStepHeight = 40;

// Positions are worked out in double and kept as float, as the canvas stores them.
float At(double value) {
    return static_cast<float>(value);
}

Glyph NoteGlyph(NoteLength length, bool stemDown) {
    switch (length) {
    case NoteLength::kHalf:
        return stemDown ? Glyph::kHalfNoteDown : Glyph::kHalfNoteUp;
    case NoteLength::kQuarter:
        return stemDown ? Glyph::kQuarterNoteDown : Glyph::kQuarterNoteUp;
    case NoteLength::kEighth:
        break;
    }
    return stemDown ? Glyph::kEighthNoteDown : Glyph::kEighthNoteUp;
}

// The time-signature digits: one digit at x 400, the one two-digit value at x 350.
std::optional<std::pair<float, std::u32string>> TimeSignatureText(int value, int twoDigitValue) {
    if (value >= 0 && value <= 9) return std::pair{400.f, std::u32string(1, DigitGlyph(value))};
    if (value == twoDigitValue)
        return std::pair{350.f, std::u32string{DigitGlyph(value / 10), DigitGlyph(value % 10)}};
    return std::nullopt;
}

class LayoutBuilder {
public:
    explicit LayoutBuilder(ScoreLayout& layout) : layout_(layout) {}

    void Text(ItemRole role, ScoreFont font, float size, bool italic, float x, float y,
              std::u32string_view text, ColourValue colour = kScoreForeground) {
        ScoreItem item = NewItem(ItemKind::kText, role, x, y);
        item.font = font;
        item.size = size;
        item.italic = italic;
        item.colour = colour;
        item.textStart = static_cast<std::uint32_t>(layout_.text.size());
        item.textLength = static_cast<std::uint32_t>(text.size());
        layout_.text.append(text);
        layout_.items.push_back(item);
    }

    void Line(ItemRole role, float x1, float y1, float x2, float y2) {
        ScoreItem item = NewItem(ItemKind::kLine, role, x1, y1);
        item.x2 = x2;
        item.y2 = y2;
        layout_.items.push_back(item);
    }

    void Staff(ItemRole role, float width, double height) {
        layout_.longestStaff = static_cast<std::uint32_t>(layout_.items.size());
        ScoreItem item = NewItem(ItemKind::kStaff, role, 0, At(height / 1.7));
        item.x2 = width;
        item.y2 = At(height / 1.7 - kStaffLineGap * (kStaffLineCount - 1));
        layout_.items.push_back(item);
    }

    void BeginColumn(int column) {
        column_ = column;
        layout_.columnStart.push_back(static_cast<std::uint32_t>(layout_.items.size()));
    }

    // Closes the column index: the start sentinel and the edges the binary searches use.
    void Finish() {
        auto& out = layout_;
        if (out.columnStart.empty()) return;
        out.columnStart.push_back(static_cast<std::uint32_t>(out.items.size()));
        const std::size_t columns = out.columnStart.size() - 1;
        out.columnLeft.assign(columns, 0);
        out.columnReach.assign(columns, 0);
        float reach = -1e30f;
        for (std::size_t c = 0; c < columns; ++c) {
            float left = 1e30f;
            for (auto i = out.columnStart[c]; i < out.columnStart[c + 1]; ++i) {
                if (out.items[i].role == ItemRole::kStaffExtension) continue;
                const TwipRect extent = ItemExtent(out.items[i]);
                left = std::min(left, extent.left);
                reach = std::max(reach, extent.right);
            }
            out.columnLeft[c] = left;
            out.columnReach[c] = reach;
        }
        for (std::size_t c = columns - 1; c-- > 0;)
            out.columnLeft[c] = std::min(out.columnLeft[c], out.columnLeft[c + 1]);
    }

private:
    ScoreItem NewItem(ItemKind kind, ItemRole role, float x, float y) const {
        ScoreItem item;
        item.kind = kind;
        item.role = role;
        item.x = x;
        item.y = y;
        item.column = column_;
        return item;
    }

    ScoreLayout& layout_;
    std::int32_t column_ = -1;
};

void LayOutHeader(LayoutBuilder& out, const ScoreHeader& header, const ScoreOptions& options) {
    const double height = options.viewportHeight;
    out.Staff(ItemRole::kStaff, options.viewportWidth, height);

    const float termWidth = 90.f * static_cast<float>(header.tempoTerm.size());
    const std::u32string tempoNote(1, GlyphCodeOf(Glyph::kQuarterNoteUp));
    std::u32string tempoValue = U" = ";
    for (char c : std::to_string(header.beatsPerMinute)) tempoValue.push_back(char32_t(c));
    out.Text(ItemRole::kTempoTerm, ScoreFont::kText, kTextSize, true, 400, 30, header.tempoTerm);
    out.Text(ItemRole::kTempoNote, ScoreFont::kSymbols, kTextSize, true, 400 + termWidth + 150, 30,
             tempoNote);
    out.Text(ItemRole::kTempoValue, ScoreFont::kText, kTextSize, true, 400 + termWidth + 230, 30,
             tempoValue);

    out.Text(ItemRole::kDynamics, ScoreFont::kSymbols, kSymbolSize, false, 600, 250,
             std::u32string(1, header.dynamicsGlyph));
    out.Text(ItemRole::kClef, ScoreFont::kSymbols, kSymbolSize, false, 50, At(height / 2.7 - 140),
             std::u32string(1, GlyphCodeOf(Glyph::kTrebleClef)));

    if (const auto numerator = TimeSignatureText(header.numerator, 12))
        out.Text(ItemRole::kNumerator, ScoreFont::kSymbols, kSymbolSize, false, numerator->first,
                 At(height / 2.75), numerator->second);
    if (const auto denominator = TimeSignatureText(header.denominator, 16))
        out.Text(ItemRole::kDenominator, ScoreFont::kSymbols, kSymbolSize, false,
                 denominator->first, At(height / 2.15), denominator->second);
}

// The note, its ledger line and its accent (on a marked token) at column i.
void LayOutNote(LayoutBuilder& out, const ScoreNote& note, bool marked, int i,
                const ScoreOptions& options) {
    const double height = options.viewportHeight;
    const float x = 1000.f + kColumnWidth * static_cast<float>(i);
    const int step = StaffStep(note.value);
    const bool rest = note.value == 0;

    std::u32string glyphs;
    if (IsBlackKey(note.value)) glyphs.push_back(GlyphCodeOf(Glyph::kSharp));
    glyphs.push_back(GlyphCodeOf(rest ? Glyph::kQuarterRest : NoteGlyph(note.length, step >= 4)));
    const float y = rest ? At(height / 2.8 + 70) : At(height / 1.7 - 240 - kStepHeight * step);
    out.Text(rest ? ItemRole::kRest : ItemRole::kNote, ScoreFont::kSymbols, kSymbolSize, false, x,
             y, glyphs);

    if (HasLedgerLine(note.value)) {
        const float lineY = At(height / 1.7 - kStepHeight * step);
        out.Line(ItemRole::kLedgerLine, x - 50, lineY, x + 150, lineY);
    }
    if (options.accents && !rest && marked)
        out.Text(ItemRole::kAccent, ScoreFont::kText, kAccentSize, false, x, 220, U">");
}

void LayOutSyllable(LayoutBuilder& out, ScoreLayout& layout, std::u32string_view row, int i,
                    const ScoreOptions& options) {
    const ColourValue colour = VowelColour(row).value_or(0);
    layout.colours.push_back(colour);
    const bool lineEnd = row.find(U'_') != std::u32string_view::npos;
    out.Text(ItemRole::kSyllable, ScoreFont::kText, kTextSize, true,
             950.f + kColumnWidth * static_cast<float>(i), layout.canvasHeight - 300,
             lineEnd ? U" " : row, options.colour ? colour : kScoreForeground);
}

// Sizes every list before the walk: grown lists would copy themselves and touch twice the
// memory, which is most of the time a long score takes.
void Reserve(ScoreLayout& layout, std::span<const std::u32string_view> rows,
             std::span<const std::string_view> tokens, const ScoreHeader& header) {
    constexpr std::size_t kHeaderItems = 8, kItemsPerColumn = 5, kHeaderText = 32;
    constexpr std::size_t kNoteText = 2, kAccentText = 1;
    std::size_t rowText = 0;
    for (std::size_t t = 0; t < std::min(rows.size(), tokens.size()); ++t)
        rowText += rows[t].size();
    layout.items.reserve(kHeaderItems + kItemsPerColumn * tokens.size());
    layout.text.reserve(kHeaderText + header.tempoTerm.size() +
                        (kNoteText + kAccentText) * tokens.size() + rowText);
    layout.colours.reserve(tokens.size());
    layout.columnStart.reserve(tokens.size() + 1);
}

} // namespace

ScoreLayout LayoutScore(std::span<const std::u32string_view> rows,
                        std::span<const std::string_view> tokens, const ScoreHeader& header,
                        const ScoreOptions& options, std::span<const NoteLength> lengths) {
    ScoreLayout layout;
    layout.canvasWidth = options.viewportWidth;
    layout.canvasHeight = options.viewportHeight;
    Reserve(layout, rows, tokens, header);
    LayoutBuilder out(layout);
    LayOutHeader(out, header, options);

    for (std::size_t t = 0; t < tokens.size(); ++t) {
        auto note = ReadScoreToken(tokens[t]);
        if (!note) break;
        const bool marked = note->length != NoteLength::kEighth;
        if (t < lengths.size()) note->length = lengths[t];
        const int i = static_cast<int>(t);
        out.BeginColumn(i);
        LayOutNote(out, *note, marked, i, options);
        if (t >= rows.size()) break;
        LayOutSyllable(out, layout, rows[t], i, options);
        // Counted afresh from the columns rather than added up: past 2^24 twips a float sum of
        // 800s drifts short, and a very long line's last notes would fall off the canvas.
        const float width = At(options.viewportWidth +
                               static_cast<double>(kColumnWidth) * static_cast<double>(t + 1));
        out.Staff(ItemRole::kStaffExtension, width, options.viewportHeight);
        layout.canvasWidth = width;
        if (options.viewportWidth / 2 < layout.canvasWidth) ++layout.scrollMaximum;
    }
    out.Finish();
    return layout;
}

} // namespace kvat
