#pragma once
// The one-line score as a list of drawing items in twips, computed without any painting: the
// window, the image export and the tests all read the same list.

#include "score/glyphs.h"
#include "score/melody_token.h"
#include "score/syllable_colour.h"
#include "score/twips.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

// The foreground of the canvas: lines and text in dark grey.
inline constexpr ColourValue kScoreForeground = 0x404040;
// One note column, in twips, as the layout computes with it.
inline constexpr float kColumnWidth = kColumnTwips;
// The staff: five lines, 80 twips apart.
inline constexpr int kStaffLineCount = 5;
inline constexpr float kStaffLineGap = 80;

// A staff item stands for its five lines: the whole staff is drawn again at every column, so
// keeping it as one item keeps a long score's list small. Readers that want single lines take
// them from StaffLineY.
enum class ItemKind : unsigned char { kText, kLine, kStaff };

enum class ItemRole : unsigned char {
    kStaff,
    kTempoTerm,
    kTempoNote,
    kTempoValue,
    kDynamics,
    kClef,
    kNumerator,
    kDenominator,
    kNote, // the sharp, if any, and the note glyph
    kRest,
    kLedgerLine,
    kAccent,
    kSyllable,
    kStaffExtension,
};

struct ScoreItem {
    ItemKind kind = ItemKind::kText;
    ItemRole role = ItemRole::kStaff;
    ScoreFont font = ScoreFont::kText;
    bool italic : 1 = false;
    bool bold : 1 = false;
    float size = 0;                        // points
    ColourValue colour = kScoreForeground; // 0xBBGGRR
    // Text: the pen position, y at the top of the character cell. Line: the first end. Staff:
    // the left end of its lines, y on the bottom line.
    float x = 0, y = 0;
    // Line: the second end. Staff: the right end, y2 on the top line.
    float x2 = 0, y2 = 0;
    std::uint32_t textStart = 0, textLength = 0; // into ScoreLayout::text
    std::int32_t column = -1;                    // the melody token's index; -1 for the header
};

struct ScoreHeader {
    std::u32string tempoTerm = U"Allegro moderato"; // the term drawn over the staff
    int beatsPerMinute = 108;
    char32_t dynamicsGlyph = 111; // the dynamics mark's code in the symbol font
    int numerator = 4;            // the time signature's values as the lists show them
    int denominator = 2;
};

struct ScoreOptions {
    bool accents = true; // the stress boost is above 0: accents over quarter and half notes
    bool colour = false; // syllables in their vowel colours
    float viewportWidth = kViewportTwips;
    float viewportHeight = kViewportHeightTwips;
};

struct ScoreLayout {
    std::vector<ScoreItem> items; // in drawing order: the header, then column by column
    std::u32string text;          // every item's text, one after another

    // columnStart[i] is the first item of column i; one more entry closes the last column.
    std::vector<std::uint32_t> columnStart;
    // For finding the columns a rectangle meets by binary search, both ignoring the staff
    // extensions: the least left edge of columns i … end (never decreasing), and the greatest
    // right edge of columns 0 … i (never decreasing).
    std::vector<float> columnLeft;
    std::vector<float> columnReach;
    // The staff drawn last. It reaches furthest and covers every earlier one exactly, so a
    // painter may draw it alone in place of all staff items.
    std::uint32_t longestStaff = 0;

    int scrollMaximum = 0; // the number of completely drawn notes
    float canvasWidth = 0;
    float canvasHeight = 0;
    std::vector<ColourValue> colours; // the colour list: one entry per drawn syllable

    std::u32string_view Text(const ScoreItem& item) const {
        return std::u32string_view(text).substr(item.textStart, item.textLength);
    }
    std::size_t ColumnCount() const { return columnLeft.size(); }
};

// Line k of a staff item (0 the bottom line).
inline float StaffLineY(const ScoreItem& staff, int k) {
    return staff.y - kStaffLineGap * static_cast<float>(k);
}

// Lays out the score of `tokens` (the melody string's tokens) with `rows` (the divided text's
// syllable rows, row k under token k). Stops, keeping what is laid out, at an empty or
// non-numeric token (nothing of it is drawn) or at a token without a row (its note, ledger line
// and accent are drawn; its syllable, colour entry, staff extension and scroll step are not).
// The marks decide a note's length and accent; `lengths`, when a melody times its notes itself,
// the length each is drawn with.
ScoreLayout LayoutScore(std::span<const std::u32string_view> rows,
                        std::span<const std::string_view> tokens, const ScoreHeader& header,
                        const ScoreOptions& options, std::span<const NoteLength> lengths = {});

} // namespace kvat
