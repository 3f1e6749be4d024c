#pragma once
// The window is laid out in twips, as it was designed: 15 twips to a logical pixel.

#include <QRect>

namespace kvat {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr int Twips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// left, top, width, height in twips.
inline QRect TwipRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

} // namespace kvat
