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
    const char* name;
    int px, py;
    double widthTwips, heightTwips;
    PixelPlacement expected;
};

TEST(PlaceAtCursor, CentredOnThePointerInsideTheScreen) {
    const CursorCase cases[] = {
        {"middle of the screen", 400, 300, 735, 735, {376, 276, 49, 49}},
        {"top-left corner", 0, 0, 735, 735, {0, 0, 49, 49}},
        {"bottom-right corner: edges meet the screen's", 799, 599, 735, 735, {751, 551, 49, 49}},
        {"wider than the screen, negative candidate: lower limit first",
         300,
         300,
         13500,
         9900,
         {0, 0, 900, 660}},
        {"wider than the screen, positive candidate: the negative upper limit",
         500,
         500,
         13500,
         9900,
         {-100, -60, 900, 660}},
        {"half pixel up to even", 100, 100, 735, 735, {76, 76, 49, 49}},
        {"half pixel down to even", 99, 99, 735, 735, {74, 74, 49, 49}},
        {"size rounded half to even", 400, 300, 682.5, 697.5, {377, 277, 46, 46}},
        // 800 - 1.49999999 is 798.50000001, which single precision stores as 798.5.
        {"upper limit in single precision", 1000, 1000, 22.49999985, 22.49999985, {798, 598, 1, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceAtCursor(c.px, c.py, c.widthTwips, c.heightTwips, kScreen), c.expected)
            << c.name;
}

TEST(PlaceAtCursor, OtherTwipsPerPixel) {
    const assistant::ScreenMetrics large{12000, 9600, 12, 12}; // 1000 x 800 pixels
    EXPECT_EQ(PlaceAtCursor(990, 10, 600, 480, large), (PixelPlacement{950, 0, 50, 40}));
}

TEST(ClampValue, LowerLimitIsTestedFirst) {
    EXPECT_EQ(assistant::ClampValue(0, -5.5, -100.0f), 0.0);
    EXPECT_EQ(assistant::ClampValue(0, 50.0, -100.0f), -100.0);
    EXPECT_EQ(assistant::ClampValue(0, 12.25, 100.0f), 12.25);
    EXPECT_EQ(assistant::ClampValue(0, 100.5, 100.25f), 100.25);
}

struct BubbleCase {
    const char* name;
    assistant::TwipsBox paperclip;
    BubblePlacement expected;
};

TEST(PlaceBubble, AboveAndLeftOfThePaperclipOrBesideIt) {
    using assistant::kTailBottomLeft;
    using assistant::kTailBottomRight;
    using assistant::kTailTopRight;
    const BubbleCase cases[] = {
        {"room above and left",
         {6000, 3000, 1845, 1365},
         {1000, 2665, kTailBottomRight, kTailBottomRight}},
        {"no room above: level with the paperclip",
         {6000, 1000, 1845, 1365},
         {1000, 2665, kTailTopRight, kTailBottomRight}},
        {"no room on the left: on its right side",
         {2000, 3000, 1845, 1365},
         {1000, 3145, kTailBottomRight, kTailBottomLeft}},
        {"no room either way",
         {2000, 1000, 1845, 1365},
         {1000, 3145, kTailTopRight, kTailBottomLeft}},
        {"exactly enough room",
         {3335, 2000, 1845, 1365},
         {0, 0, kTailBottomRight, kTailBottomRight}},
        {"one twip short", {3334, 1999, 1845, 1365}, {1999, 4479, kTailTopRight, kTailBottomLeft}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceBubble(c.paperclip, 4035, 2700), c.expected) << c.name;
}

} // namespace
