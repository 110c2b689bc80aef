#include "assistant_rig.h"

#include <QDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using test::AssistantRig;

const QByteArray kShown = "\"1\"\r\n", kNotShown = "\"0\"\r\n";

// Shown when Prem.eff holds zero (the field's reading is the core tests'), over a disabled main
// window (that it ignores clicks on a desktop is the end-to-end tour's case).
TEST(Welcome, ShownExactlyWhenPremEffHoldsZero) {
    for (const auto& prem :
         {std::optional(kNotShown), std::optional(kShown), std::optional<QByteArray>()}) {
        const bool shown = prem == kNotShown;
        AssistantRig rig(prem);
        ASSERT_TRUE(rig.started);
        frmPrem* welcome = rig.welcome();
        EXPECT_EQ(welcome != nullptr, shown);
        EXPECT_EQ(rig.main()->isEnabled(), !shown);
        // The main window gives the keyboard back to it when activated.
        if (welcome) {
            rig.main()->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(welcome));
        }
    }
}

// OK clicked, Enter (Return is the end-to-end tour's), Escape.
TEST(Welcome, OkEnterAndEscapeStartTheTour) {
    for (const Qt::Key key : {Qt::Key_unknown, Qt::Key_Enter, Qt::Key_Escape}) {
        AssistantRig rig(kNotShown);
        rig.placeMain(3000, 2000);
        frmPrem* welcome = rig.welcome();
        ASSERT_NE(welcome, nullptr);
        welcome->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(welcome));
        if (key == Qt::Key_unknown)
            QTest::mouseClick(rig.child(welcome, "cmdOK"), Qt::LeftButton);
        else
            QTest::keyClick(welcome, key,
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QTest::qWait(0);
        EXPECT_EQ(rig.welcome(), nullptr);
        EXPECT_TRUE(rig.main()->isEnabled());
        ASSERT_NE(rig.paperclip(), nullptr);
        EXPECT_EQ(ui::WindowLeft(*rig.paperclip()), 2900);
        EXPECT_EQ(rig.readFile("Prem.eff"), kShown);
    }
}

// Closed otherwise, it is remembered without the tour; a marker that cannot be written (its
// place taken by a folder) costs nothing else.
TEST(Welcome, ClosingOtherwiseOrAnUnwritableMarker) {
    for (const int how : {0, 1, 2}) {
        AssistantRig rig(kNotShown);
        ASSERT_NE(rig.welcome(), nullptr);
        if (how == 2) {
            const QString marker = rig.folder.filePath(QStringLiteral("Prem.eff"));
            ASSERT_TRUE(QFile::remove(marker) && QDir().mkdir(marker));
            rig.welcome()->cmdOK_Click();
            EXPECT_NE(rig.paperclip(), nullptr);
            EXPECT_TRUE(QFileInfo(marker).isDir());
        } else {
            (how ? static_cast<QWidget*>(rig.main()) : rig.welcome())->close();
            EXPECT_TRUE(!rig.welcome() || !rig.welcome()->isVisible());
            EXPECT_EQ(rig.paperclip(), nullptr);
            EXPECT_EQ(rig.readFile("Prem.eff"), kShown);
        }
        EXPECT_TRUE(how == 1 || rig.main()->isEnabled());
    }
}

} // namespace
