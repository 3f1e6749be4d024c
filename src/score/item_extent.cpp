#include "score/item_extent.h"

#include <algorithm>

namespace kvat {
namespace {

constexpr float kTwipsPerPoint = 20;
constexpr float kLineMargin = 30; // a pen a pixel or two wide at any likely resolution
constexpr float kGlyphWidth = 1.2f;
constexpr float kLeftOverhang = 0.3f; // the sharp's negative bearing, italic overhangs
constexpr float kAboveCell = 0.3f;    // glyphs rising over the cell top
constexpr float kCellDepth = 2.4f;    // the symbol font's cell and its deepest stem

} // namespace

TwipRect ItemExtent(const ScoreItem& item) {
    if (item.kind != ItemKind::kText) {
        return {std::min(item.x, item.x2) - kLineMargin, std::min(item.y, item.y2) - kLineMargin,
                std::max(item.x, item.x2) + kLineMargin, std::max(item.y, item.y2) + kLineMargin};
    }
    const float em = item.size * kTwipsPerPoint;
    return {item.x - kLeftOverhang * em, item.y - kAboveCell * em,
            item.x + kGlyphWidth * em * static_cast<float>(item.textLength),
            item.y + kCellDepth * em};
}

ColumnRange ColumnsMeeting(const ScoreLayout& layout, float left, float right) {
    const auto& reach = layout.columnReach;
    const auto& lefts = layout.columnLeft;
    ColumnRange range;
    range.first = static_cast<std::size_t>(std::lower_bound(reach.begin(), reach.end(), left) -
                                           reach.begin());
    range.last = static_cast<std::size_t>(std::upper_bound(lefts.begin(), lefts.end(), right) -
                                          lefts.begin());
    range.last = std::max(range.first, range.last);
    return range;
}

} // namespace kvat
