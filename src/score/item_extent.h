#pragma once
// A generous box around what an item can ink, for deciding what a visible rectangle needs. It
// assumes no glyph wider than 1.2 em and none reaching further than the symbol font's bounding
// box above or below its cell.

#include "score/score_layout.h"

namespace kvat {

struct TwipRect {
    float left = 0, top = 0, right = 0, bottom = 0;

    bool Intersects(const TwipRect& other) const {
        return left <= other.right && other.left <= right && top <= other.bottom &&
               other.top <= bottom;
    }
};

TwipRect ItemExtent(const ScoreItem& item);

// The columns [first, last) whose items, staff extensions aside, may meet the band of canvas
// x from `left` to `right`. Two binary searches: a long syllable may reach several columns on.
struct ColumnRange {
    std::size_t first = 0, last = 0;
};
ColumnRange ColumnsMeeting(const ScoreLayout& layout, float left, float right);

} // namespace kvat
