// What a keyboard user meets: the Tab chain of the main window. The about box's link by keyboard
// is the link tests'; a calculation and the menu from the keyboard, and the names and hidden
// decoration of every window, are the AT-SPI end-to-end check's.
#include "online_rig.h"
#include "platform/accessibility.h"

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

} // namespace
