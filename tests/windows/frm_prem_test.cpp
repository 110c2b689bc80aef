#include "assistant_rig.h"

#include <gtest/gtest.h>

namespace {

using test::AssistantRig;

const QByteArray kShown = "\"1\"\r\n", kNotShown = "\"0\"\r\n";

// Shown at the first start (Prem.eff holding zero; the field's reading is the core tests', the
// second start without it the end-to-end tour's) over a disabled main window. OK clicked, Enter
// (Return is the end-to-end tour's) and Escape start the tour; closing it or the main window
// does not. Each remembers it was shown (a marker that cannot be written is the
// disk-fault tests' class).
TEST(Welcome, OkEnterAndEscapeStartTheTourClosingDoesNot) {
    for (const int way : {0, int(Qt::Key_Enter), int(Qt::Key_Escape), 1, 2}) {
        AssistantRig rig(kNotShown);
        rig.placeMain(3000, 2000);
        frmPrem* welcome = rig.welcome();
        ASSERT_NE(welcome, nullptr);
        EXPECT_FALSE(rig.main()->isEnabled());
        welcome->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(welcome));
        if (way == 0)
            QTest::mouseClick(rig.child(welcome, "cmdOK"), Qt::LeftButton);
        else if (way > 2)
            QTest::keyClick(welcome, Qt::Key(way),
                            way == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        else
            (way == 1 ? static_cast<QWidget*>(welcome) : rig.main())->close();
        QTest::qWait(0);
        EXPECT_TRUE(!rig.welcome() || !rig.welcome()->isVisible()) << way;
        EXPECT_TRUE(way == 2 || rig.main()->isEnabled()) << way;
        EXPECT_EQ(rig.paperclip() != nullptr, way != 1 && way != 2) << way;
        EXPECT_TRUE(!rig.paperclip() || ui::WindowLeft(*rig.paperclip()) == 2900) << way;
        EXPECT_EQ(test::readBytes(rig.folder.filePath("Prem.eff")), kShown) << way;
    }
}

} // namespace
