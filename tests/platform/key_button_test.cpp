// The calculator keys draw themselves: each state must show as the window's design wants it.
#include "platform/key_button.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(KeyButton, ShowsEachState) {
    const QColor light(224, 224, 224), equals(192, 192, 192), pressed(160, 160, 160);
    const QColor rim(96, 96, 96), focusRim(0, 0, 160);
    // Name, face, pressed, focused, then the centre and the rim drawn.
    for (const auto& [name, face, down, focused, centre, edge] :
         {std::tuple{"at rest", light, false, false, light, rim},
          {"the darker \"=\" key", equals, false, false, equals, rim},
          {"pressed", light, true, false, pressed, rim},
          {"with the keyboard focus", light, false, true, light, focusRim}}) {
        SCOPED_TRACE(name);
        QWidget window;
        ui::KeyButton key(QString(), &window);
        key.setGeometry(0, 0, 25, 25);
        // Somewhere else for the focus to be.
        QLineEdit box(&window);
        box.setGeometry(30, 0, 40, 20);
        key.setFaceColour(face);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            GTEST_SKIP() << "no window system";
        window.activateWindow();
        (focused ? static_cast<QWidget&>(key) : box).setFocus(Qt::TabFocusReason);
        key.setDown(down);
        const QImage picture = key.grab().toImage();
        EXPECT_EQ(QColor(picture.pixel(12, 12)), centre);
        // The middle of the left rim, clear of the rounded corners.
        EXPECT_EQ(QColor(picture.pixel(0, 12)), edge);
    }
}

} // namespace
