#include "core/placement.h"

#include <cmath>

namespace assistant {

namespace {

constexpr int kOverlap = 700;

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

double ClampValue(int lower, double value, float upper) {
    if (value < lower)
        return lower;
    if (value > upper)
        return upper;
    return value;
}

PixelPlacement PlaceAtCursor(int cursorX, int cursorY, double widthTwips, double heightTwips,
                             const ScreenMetrics& screen) {
    const double wp = widthTwips / screen.twipsPerPixelX;
    const double hp = heightTwips / screen.twipsPerPixelY;
    // The upper limits are single precision, as the window system's own screen metrics are.
    const auto right = static_cast<float>(screen.widthTwips / screen.twipsPerPixelX - wp);
    const auto bottom = static_cast<float>(screen.heightTwips / screen.twipsPerPixelY - hp);
    const double x = ClampValue(0, cursorX - wp / 2, right);
    const double y = ClampValue(0, cursorY - hp / 2, bottom);
    return {RoundHalfEven(x), RoundHalfEven(y), RoundHalfEven(wp), RoundHalfEven(hp)};
}

BubblePlacement PlaceBubble(const TwipsBox& paperclip, int bubbleWidth, int bubbleHeight) {
    BubblePlacement placement;
    const auto v = static_cast<float>(paperclip.top - bubbleHeight + kOverlap);
    if (v >= 0) {
        placement.top = RoundHalfEven(v);
        placement.verticalOrientation = kTailBottomRight;
    } else {
        placement.top = paperclip.top;
        placement.verticalOrientation = kTailTopRight;
    }
    const auto h = static_cast<float>(paperclip.left - bubbleWidth + kOverlap);
    if (h >= 0) {
        placement.left = RoundHalfEven(h);
        placement.orientation = kTailBottomRight;
    } else {
        placement.left = paperclip.left + paperclip.width - kOverlap;
        placement.orientation = kTailBottomLeft;
    }
    return placement;
}

} // namespace assistant
