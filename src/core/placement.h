// Where the pop-up windows go: at the mouse pointer when they load, and the speech bubble
// beside the paperclip. Pure arithmetic on twips and pixels.
#pragma once

namespace assistant {

// The lower limit is tested first, so a window wider than the screen with a negative
// candidate goes to the lower limit, not to the (negative) upper one.
double ClampValue(int lower, double value, float upper);

struct ScreenMetrics {
    double widthTwips = 0;
    double heightTwips = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

struct PixelPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelPlacement&, const PixelPlacement&) = default;
};

// Centred on the pointer (screen pixels), kept inside the screen; halves round to even.
PixelPlacement PlaceAtCursor(int cursorX, int cursorY, double widthTwips, double heightTwips,
                             const ScreenMetrics& screen);

// Orientation values of the bubble, each naming the corner its tail leaves from.
inline constexpr int kTailBottomRight = 0;
inline constexpr int kTailBottomLeft = 2;
inline constexpr int kTailTopRight = 3;

struct TwipsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct BubblePlacement {
    int top = 0;
    int left = 0;
    // Set first, then overwritten by the horizontal choice.
    int verticalOrientation = kTailBottomRight;
    int orientation = kTailBottomRight;
    friend bool operator==(const BubblePlacement&, const BubblePlacement&) = default;
};

// Above and to the left of the paperclip, overlapping it by 700 twips each way; level with its
// top when there is no room above, on its right side when there is no room on the left.
BubblePlacement PlaceBubble(const TwipsBox& paperclip, int bubbleWidth, int bubbleHeight);

} // namespace assistant
