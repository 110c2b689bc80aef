#include "core/placement.h"

#include <gtest/gtest.h>

namespace {

using assistant::BubblePlacement;
using assistant::PixelPlacement;
using assistant::PlaceAtCursor;
using assistant::PlaceBubble;

// An 800 x 600 pixel screen at 15 twips a pixel.
const assistant::ScreenMetrics kScreen{12000, 9000, 15, 15};

struct CursorCase {
    int px, py;
    double widthTwips, heightTwips;
    PixelPlacement expected;
};

// Centred on the pointer, inside the screen; when the window is larger than the screen the
// lower limit is tested first, so a positive candidate takes the negative upper limit.
TEST(PlaceAtCursor, CentredOnThePointerInsideTheScreen) {
    const CursorCase cases[] = {
        {400, 300, 735, 735, {376, 276, 49, 49}},
        {0, 0, 735, 735, {0, 0, 49, 49}},
        {799, 599, 735, 735, {751, 551, 49, 49}},
        {300, 300, 13500, 9900, {0, 0, 900, 660}},
        {500, 500, 13500, 9900, {-100, -60, 900, 660}},
        {100, 100, 735, 735, {76, 76, 49, 49}}, // half pixels to even
        {99, 99, 735, 735, {74, 74, 49, 49}},
        {400, 300, 682.5, 697.5, {377, 277, 46, 46}},
        // 800 - 1.49999999 is 798.50000001, which single precision stores as 798.5.
        {1000, 1000, 22.49999985, 22.49999985, {798, 598, 1, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceAtCursor(c.px, c.py, c.widthTwips, c.heightTwips, kScreen), c.expected)
            << c.px << ',' << c.py;
}

TEST(PlaceAtCursor, OtherTwipsPerPixel) {
    const assistant::ScreenMetrics large{12000, 9600, 12, 12}; // 1000 x 800 pixels
    EXPECT_EQ(PlaceAtCursor(990, 10, 600, 480, large), (PixelPlacement{950, 0, 50, 40}));
}

TEST(PlaceBubble, AboveAndLeftOfThePaperclipOrBesideIt) {
    using assistant::kTailBottomLeft;
    using assistant::kTailBottomRight;
    using assistant::kTailTopRight;
    const std::pair<assistant::TwipsBox, BubblePlacement> cases[] = {
        {{6000, 3000, 1845, 1365}, {1000, 2665, kTailBottomRight, kTailBottomRight}},
        {{6000, 1000, 1845, 1365}, {1000, 2665, kTailTopRight, kTailBottomRight}}, // no room above
        {{2000, 3000, 1845, 1365}, {1000, 3145, kTailBottomRight, kTailBottomLeft}}, // nor left
        {{2000, 1000, 1845, 1365}, {1000, 3145, kTailTopRight, kTailBottomLeft}},
        {{3335, 2000, 1845, 1365}, {0, 0, kTailBottomRight, kTailBottomRight}}, // just enough
        {{3334, 1999, 1845, 1365}, {1999, 4479, kTailTopRight, kTailBottomLeft}},
    };
    for (const auto& [paperclip, expected] : cases)
        EXPECT_EQ(PlaceBubble(paperclip, 4035, 2700), expected) << paperclip.left;
}

} // namespace
