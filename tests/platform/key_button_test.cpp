// The calculator keys draw themselves: each state must show as the window's design wants it,
// and a key drawn with the rest of the window after a click must not show an old picture.
#include "platform/key_button.h"
#include "screen_picture.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace {

struct Case {
    const char* name;
    QColor face;
    bool pressed, focused;
    QColor centre, rim;
};

TEST(KeyButton, ShowsEachState) {
    const QColor light(224, 224, 224), equals(192, 192, 192), pressed(160, 160, 160);
    const QColor rim(96, 96, 96), focusRim(0, 0, 160);
    const Case cases[] = {
        {"at rest", light, false, false, light, rim},
        {"the darker \"=\" key", equals, false, false, equals, rim},
        {"pressed", light, true, false, pressed, rim},
        {"with the keyboard focus", light, false, true, light, focusRim},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        ui::KeyButton key(QString(), &window);
        key.setGeometry(0, 0, 25, 25);
        // Somewhere else for the focus to be.
        QLineEdit box(&window);
        box.setGeometry(30, 0, 40, 20);
        key.setFaceColour(c.face);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            GTEST_SKIP() << "no window system";
        window.activateWindow();
        (c.focused ? static_cast<QWidget&>(key) : box).setFocus(Qt::TabFocusReason);
        key.setDown(c.pressed);
        const QImage picture = key.grab().toImage();
        EXPECT_EQ(QColor(picture.pixel(12, 12)), c.centre);
        // The middle of the left rim, clear of the rounded corners.
        EXPECT_EQ(QColor(picture.pixel(0, 12)), c.rim);
    }
}

// Shows the keys side by side in the window; false when there is no window system.
bool showSideBySide(QWidget& window, std::initializer_list<QPushButton*> keys) {
    int left = 0;
    for (QPushButton* key : keys) {
        key->setGeometry(left, 0, 25, 25);
        left += 30;
    }
    window.resize(left, 30);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

TEST(QuickButton, ScreenShowsEachStateOnceTheEventsAreDone) {
    using Input = std::function<void(QPushButton*)>;
    const QPoint away(40, 0);
    auto press = [](QPushButton* key) {
        QTest::mousePress(key, Qt::LeftButton, {}, key->rect().center());
    };
    auto release = [](QPoint by) {
        return [by](QPushButton* key) {
            QTest::mouseRelease(key, Qt::LeftButton, {}, key->rect().center() + by);
        };
    };
    auto space = [](QPushButton* key) { QTest::keyPress(key, Qt::Key_Space); };
    auto spaceUp = [](QPushButton* key) { QTest::keyRelease(key, Qt::Key_Space); };
    struct Case {
        const char* name;
        std::vector<Input> inputs;
        Input finish; // lets go of a key left down
        bool down;
        int clicks;
    };
    const Case cases[] = {
        {"pressed", {press}, release({}), true, 0},
        {"clicked", {press, release({})}, {}, false, 1},
        {"released away from the key", {press, release(away)}, {}, false, 0},
        {"held down with Space", {space}, spaceUp, true, 0},
        {"pressed with Space", {space, spaceUp}, {}, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        ui::QuickButton digit(QStringLiteral("7"), &window);
        ui::KeyButton plus(QStringLiteral("+"), &window);
        if (!showSideBySide(window, {&digit, &plus}))
            GTEST_SKIP() << "no window system";
        for (QPushButton* key : std::initializer_list<QPushButton*>{&digit, &plus}) {
            int clicks = 0;
            bool drawsDuringTheClick = false;
            QObject::connect(key, &QPushButton::clicked, [&] {
                ++clicks;
                // A message box opened here must find the key drawing as usual.
                drawsDuringTheClick = key->updatesEnabled();
            });
            for (const Input& input : c.inputs)
                input(key);
            QCoreApplication::processEvents();
            EXPECT_EQ(key->isDown(), c.down);
            EXPECT_EQ(clicks, c.clicks);
            EXPECT_EQ(drawsDuringTheClick, c.clicks > 0);
            EXPECT_TRUE(key->updatesEnabled());
            EXPECT_TRUE(test::onScreen(*key) == test::drawnNow(*key));
            if (c.finish)
                c.finish(key);
        }
    }
}

// A click lifts only the key's own hold on its drawing: one its owner put on it stays, and a
// window's hold still ends with the window's.
TEST(QuickButton, ClickLeavesOtherHoldsOnItsDrawing) {
    QWidget window;
    ui::QuickButton held(QStringLiteral("7"), &window);
    ui::QuickButton free(QStringLiteral("8"), &window);
    if (!showSideBySide(window, {&held, &free}))
        GTEST_SKIP() << "no window system";
    held.setUpdatesEnabled(false);
    QTest::mouseClick(&held, Qt::LeftButton);
    EXPECT_FALSE(held.updatesEnabled());
    held.setUpdatesEnabled(true);

    window.setUpdatesEnabled(false);
    QTest::mouseClick(&free, Qt::LeftButton);
    window.setUpdatesEnabled(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(free.updatesEnabled());
    EXPECT_TRUE(test::onScreen(free) == test::drawnNow(free));
}

} // namespace
