// The tape's scroll bars are drawn strip by strip and only when they change, for speed; they
// must look exactly like the style's own scroll bars in every state a user sees, and come and go
// as the scroll area's own do.
#include "platform/strip_painting.h"
#include "screen_picture.h"

#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    Qt::Orientation orientation;
    QSize size;
    int maximum, value, pageStep;
};

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
        EXPECT_EQ(test::difference(actual.convertToFormat(QImage::Format_ARGB32),
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
        EXPECT_EQ(test::difference(pictures[1], pictures[0]), "");
    }
}

// A bar that skips drawing when nothing it shows has changed must never leave an old picture.
TEST(StripPaintedScrollBar, ScreenFollowsEveryChange) {
    struct Step {
        const char* name;
        int maximum, value;
    };
    const Step steps[] = {
        {"a long tape at its end", 100000, 100000},
        {"one line more, the view not following", 100001, 100000},
        {"the view following", 100001, 100001},
        {"back to the top", 100001, 0},
        {"one line down", 100001, 1},
        {"a short tape", 3, 1},
        {"at its end", 3, 3},
        {"nothing to scroll", 0, 0},
        {"a long tape again", 100000, 100000},
    };
    QWidget window;
    ui::StripPaintedScrollBar bar(Qt::Vertical, &window);
    bar.setGeometry(0, 0, 16, 137);
    bar.setPageStep(9);
    window.resize(16, 137);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        GTEST_SKIP() << "no window system";
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        bar.setRange(0, step.maximum);
        bar.setValue(step.value);
        QCoreApplication::processEvents();
        EXPECT_EQ(test::difference(test::onScreen(bar), test::drawnNow(bar)), "");
    }
}

// The tape's scroll area, its bars laid out only when one comes or goes, against Qt's own.
TEST(StripPaintedScrollBar, BarsComeAndGoAsTheAreasOwn) {
    struct Step {
        const char* name;
        std::function<void(QTextCursor&)> edit;
    };
    auto appendLines = [](int count, const QString& line) {
        return [count, line](QTextCursor& cursor) {
            for (int i = 0; i < count; ++i)
                cursor.insertText(QStringLiteral("\n") + line);
        };
    };
    const Step steps[] = {
        {"a few short lines", appendLines(3, QStringLiteral("12 + 3 =  15"))},
        {"more lines than the view holds", appendLines(40, QStringLiteral("12 + 3 =  15"))},
        {"a line wider than the view", appendLines(1, QString(80, QLatin1Char('-')))},
        {"the wide line taken back",
         [](QTextCursor& cursor) {
             cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
             cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
             cursor.removeSelectedText();
         }},
        {"everything cleared",
         [](QTextCursor& cursor) {
             cursor.select(QTextCursor::Document);
             cursor.removeSelectedText();
         }},
        {"a wide line alone", appendLines(1, QString(80, QLatin1Char('-')))},
    };
    QPlainTextEdit qts, ours;
    ours.setVerticalScrollBar(new ui::StripPaintedScrollBar(Qt::Vertical));
    ours.setHorizontalScrollBar(new ui::StripPaintedScrollBar(Qt::Horizontal));
    ui::LayOutScrollBarsOnlyWhenShownOrHidden(&ours);
    for (QPlainTextEdit* edit : {&qts, &ours}) {
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->resize(193, 137);
        edit->show();
        if (!QTest::qWaitForWindowExposed(edit))
            GTEST_SKIP() << "no window system";
    }
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        for (QPlainTextEdit* edit : {&qts, &ours}) {
            QTextCursor cursor(edit->document());
            cursor.movePosition(QTextCursor::End);
            step.edit(cursor);
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(ours.verticalScrollBar()->isVisibleTo(&ours),
                  qts.verticalScrollBar()->isVisibleTo(&qts));
        EXPECT_EQ(ours.horizontalScrollBar()->isVisibleTo(&ours),
                  qts.horizontalScrollBar()->isVisibleTo(&qts));
        EXPECT_EQ(ours.viewport()->geometry(), qts.viewport()->geometry());
    }
    // The steps above make each bar come and go at least once.
    EXPECT_FALSE(ours.verticalScrollBar()->isVisibleTo(&ours));
    EXPECT_TRUE(ours.horizontalScrollBar()->isVisibleTo(&ours));
}

} // namespace
