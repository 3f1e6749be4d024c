#pragma once
// The core's colours as Qt takes them. A colour value keeps red in its low byte (0xBBGGRR), as
// the colour list prints it.

#include "score/syllable_colour.h"

#include <QColor>

namespace kvat {

inline QColor ToQColor(ColourValue colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

} // namespace kvat
