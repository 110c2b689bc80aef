// The bubble with and without room above and on the left is the assistant window test's.
#include "core/placement.h"

#include <gtest/gtest.h>

namespace {

using assistant::PixelPlacement;

// An 800 x 600 pixel screen at 15 twips a pixel, and a 1000 x 800 one at 12.
const assistant::ScreenMetrics kScreen{12000, 9000, 15, 15}, kLarge{12000, 9600, 12, 12};

// Centred on the pointer, inside the screen; when the window is larger than the screen the
// lower limit is tested first, so a positive candidate takes the negative upper limit.
TEST(PlaceAtCursor, CentredOnThePointerInsideTheScreen) {
    const std::tuple<int, int, double, PixelPlacement> cases[] = {
        {400, 300, 735, {376, 276, 49, 49}},
        {0, 0, 735, {0, 0, 49, 49}},
        {799, 599, 735, {751, 551, 49, 49}},
        {300, 300, 13500, {0, 0, 900, 900}},
        {500, 500, 13500, {-100, -300, 900, 900}},
        {99, 99, 735, {74, 74, 49, 49}}, // half pixels to even
        {400, 300, 682.5, {377, 277, 46, 46}},
        // 800 - 1.49999999 is 798.50000001, which single precision stores as 798.5.
        {1000, 1000, 22.49999985, {798, 598, 1, 1}},
    };
    for (const auto& [x, y, twips, expected] : cases)
        EXPECT_EQ(assistant::PlaceAtCursor(x, y, twips, twips, kScreen), expected) << x << ',' << y;
    EXPECT_EQ(assistant::PlaceAtCursor(990, 10, 600, 480, kLarge),
              (PixelPlacement{950, 0, 50, 40}));
}

// Above and left of the paperclip, or below, or right of it, each from its exact limit.
TEST(PlaceBubble, AboveAndLeftOfThePaperclipOrBesideIt) {
    using assistant::kTailBottomLeft;
    using assistant::kTailBottomRight;
    using assistant::kTailTopRight;
    const std::pair<assistant::TwipsBox, assistant::BubblePlacement> cases[] = {
        {{6000, 1000, 1845, 1365}, {1000, 2665, kTailTopRight, kTailBottomRight}}, // no room above
        {{2000, 3000, 1845, 1365}, {1000, 3145, kTailBottomRight, kTailBottomLeft}}, // nor left
        {{3335, 2000, 1845, 1365}, {0, 0, kTailBottomRight, kTailBottomRight}},      // just enough
        {{3334, 1999, 1845, 1365}, {1999, 4479, kTailTopRight, kTailBottomLeft}},
    };
    for (const auto& [paperclip, expected] : cases)
        EXPECT_EQ(assistant::PlaceBubble(paperclip, 4035, 2700), expected) << paperclip.left;
}

} // namespace
