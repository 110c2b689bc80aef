// What a screen reader and a keyboard user meet: the Tab chain of the main window and the about
// box's link with keyboard events alone. A calculation and the menu from the keyboard, and the
// names and hidden decoration of every window, are the AT-SPI end-to-end check's.
#include "online_rig.h"
#include "platform/accessibility.h"

#include <QPointer>
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

// The main window with the about box, shown, its clocks held so that no banner tick moves the
// focus.
struct KeyboardRig : test::AboutRig {
    KeyboardRig() {
        ui::InstallAccessibility();
        load(false);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    }
};

TEST(KeyboardOnly, TabGoesThroughThePanelsInOrderAndBack) {
    KeyboardRig rig;
    ASSERT_EQ(focusName(), "Text1");
    const qsizetype n = kTabChain.size();
    for (int direction : {1, -1}) {
        QStringList seen, expected;
        for (qsizetype i = 1; i <= n; ++i) {
            rig.key(direction > 0 ? Qt::Key_Tab : Qt::Key_Backtab);
            seen << focusName();
            expected << kTabChain[(n + direction * i) % n];
        }
        EXPECT_EQ(seen, expected) << direction;
    }
}

TEST(KeyboardOnly, AboutBoxLinkReachedWithTabAndFollowedWithSpaceOrEnter) {
    KeyboardRig rig;
    frmAbout* box = rig.openAbout();
    ASSERT_NE(box, nullptr);
    // Keys go where the box keeps its focus, whether or not the platform made it active.
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(box->focusWidget(), k, modifiers);
    };
    const auto focused = [&] { return box->focusWidget()->objectName(); };
    ASSERT_EQ(focused(), "cmdOK");
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), "Label1");
    key(Qt::Key_Space); // offline: it says so
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
    rig.connection.connected = true;
    key(Qt::Key_Return);
    EXPECT_EQ(rig.browser.opened, std::vector<std::string>{test::kSite});
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), "cmdOK");
    QPointer<frmAbout> watched = box;
    key(Qt::Key_Return);
    EXPECT_TRUE(!watched || !watched->isVisible());
}

} // namespace
