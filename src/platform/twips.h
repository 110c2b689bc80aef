// Layouts are kept in twips, as designed; this is the one conversion to logical pixels.
#pragma once

#include <QRect>
#include <cmath>

namespace ui {

inline constexpr int kTwipsPerPixel = 15;

// Nearest pixel, halves to even.
inline int Px(int twips) {
    return static_cast<int>(std::nearbyint(static_cast<double>(twips) / kTwipsPerPixel));
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

} // namespace ui
