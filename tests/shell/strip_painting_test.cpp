// The tape's scroll bars are drawn strip by strip for speed; they must look exactly like the
// style's own scroll bars in every state a user sees.
#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <string>

#include "ui/strip_painting.h"

namespace {

struct Case {
    const char* name;
    Qt::Orientation orientation;
    QSize size;
    int maximum, value, pageStep;
};

// Pixels that differ, and the first of them, for a readable failure.
std::string difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "sizes differ";
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
    return count == 0 ? std::string()
                      : std::to_string(count) + " pixels, first at " + std::to_string(first.x()) +
                            "," + std::to_string(first.y());
}

QImage draw(QScrollBar& bar, const Case& c) {
    bar.resize(c.size);
    bar.setRange(0, c.maximum);
    bar.setPageStep(c.pageStep);
    bar.setValue(c.value);
    return bar.grab().toImage();
}

TEST(StripPaintedScrollBar, LooksLikeTheStylesOwn) {
    const Case cases[] = {
        {"tall tape, at the end", Qt::Vertical, {16, 137}, 100000, 100000, 9},
        {"tall tape, at the top", Qt::Vertical, {16, 137}, 100000, 0, 9},
        {"a few lines", Qt::Vertical, {16, 137}, 3, 1, 9},
        {"taller than several strips", Qt::Vertical, {16, 400}, 500, 250, 20},
        {"shorter than one strip", Qt::Vertical, {16, 40}, 10, 5, 2},
        {"wide separators", Qt::Horizontal, {178, 16}, 220, 0, 178},
        {"wide, scrolled", Qt::Horizontal, {178, 16}, 220, 110, 178},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QScrollBar plain(c.orientation);
        ui::StripPaintedScrollBar strips(c.orientation);
        const QImage expected = draw(plain, c);
        const QImage actual = draw(strips, c);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(difference(actual.convertToFormat(QImage::Format_ARGB32),
                             expected.convertToFormat(QImage::Format_ARGB32)),
                  "");
    }
}

// A press on each part of the bar shows that part pressed, as the style draws it.
TEST(StripPaintedScrollBar, PressedPartsLookLikeTheStylesOwn) {
    const Case bar{"tall tape", Qt::Vertical, {16, 137}, 100, 50, 9};
    const QStyle::SubControl parts[] = {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine,
                                        QStyle::SC_ScrollBarSlider};
    for (const auto part : parts) {
        SCOPED_TRACE(static_cast<int>(part));
        QScrollBar plain(bar.orientation);
        ui::StripPaintedScrollBar strips(bar.orientation);
        QImage pictures[2];
        int i = 0;
        for (QScrollBar* scrollBar : {&plain, static_cast<QScrollBar*>(&strips)}) {
            draw(*scrollBar, bar);
            QStyleOptionSlider option;
            option.initFrom(scrollBar);
            option.orientation = bar.orientation;
            option.minimum = 0;
            option.maximum = bar.maximum;
            option.sliderPosition = option.sliderValue = bar.value;
            option.pageStep = bar.pageStep;
            const QPoint at = scrollBar->style()
                                  ->subControlRect(QStyle::CC_ScrollBar, &option, part, scrollBar)
                                  .center();
            // Auto-repeat would move the bar on its own: press, draw, release.
            QTest::mousePress(scrollBar, Qt::LeftButton, {}, at);
            pictures[i++] = scrollBar->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            QTest::mouseRelease(scrollBar, Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(difference(pictures[1], pictures[0]), "");
    }
}

} // namespace
