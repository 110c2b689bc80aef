// What a keyboard user meets: the Tab chain of the main window; what a reader meets of the
// controls the program reads out itself. The about box's link by keyboard is the link tests'; a
// calculation and the menu from the keyboard, and the names and hidden decoration of every
// window, are the AT-SPI end-to-end check's.
#include "online_rig.h"
#include "platform/accessibility.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace {

const QStringList kTabChain =
    QStringLiteral("Text1 Francs Euros Command4 Text2 TextChiffre Num_7 Num_8 Num_9 "
                   "CmdOperation_3 pourcent Num_4 Num_5 Num_6 CmdOperation_2 Command3 Num_1 Num_2 "
                   "Num_3 CmdOperation_1 Command2 Num_0 NumVirg CmdOperation_4 CmdOperation_0 "
                   "CmdReset blocnote Command5")
        .split(' ');

QString focusName() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<none>");
}

TEST(KeyboardOnly, TabGoesThroughThePanelsInOrderAndBack) {
    ui::InstallAccessibility();
    test::OnlineRig rig; // its clocks held: no banner tick moves the focus
    rig.load(false);
    ASSERT_EQ(focusName(), "Text1");
    const qsizetype n = kTabChain.size();
    for (int direction : {1, -1}) {
        QStringList seen, expected;
        for (qsizetype i = 1; i <= n; ++i) {
            QTest::keyClick(QApplication::focusWidget(),
                            direction > 0 ? Qt::Key_Tab : Qt::Key_Backtab);
            seen << focusName();
            expected << kTabChain[(n + direction * i) % n];
        }
        EXPECT_EQ(seen, expected) << direction;
    }
}

// A reader's press on the coin is a click; the open popup menu is the program's last window, where
// the menu names its parent. Names, roles and presses of these controls are the AT-SPI check's.
TEST(ScreenReader, CoinPressedAndTheOpenMenuAmongTheWindows) {
    ui::InstallAccessibility();
    test::OnlineRig rig;
    rig.connection.connected = true;
    rig.load(false);
    const auto pressOn = [&](const char* name) {
        QAccessible::queryAccessibleInterface(rig.find(name))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(0);
    };
    pressOn("Image2");
    EXPECT_EQ(rig.browser.opened.size(), 1u);
    QAccessibleInterface* program = QAccessible::queryAccessibleInterface(qApp);
    const int closedCount = program->childCount();
    pressOn("Label6");
    ASSERT_EQ(program->childCount(), closedCount + 1);
    QAccessibleInterface* last = program->child(closedCount);
    EXPECT_EQ(last->object(), rig.find("menu"));
    EXPECT_EQ(program->indexOfChild(last), closedCount);
    EXPECT_EQ(last->parent(), program);
    rig.find("menu")->close();
    EXPECT_EQ(program->childCount(), closedCount);
}

} // namespace
