// The assistant in the real program. The tour's steps and the bubble's side are the core
// tests'; the arrow's shape and the goodbye on a desktop are the end-to-end tour's.
#include "assistant_rig.h"
#include "platform/accessibility.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace {

using shell::WindowKind;
using test::AssistantRig;

void clickPaperclip(AssistantRig& rig) {
    QTest::mouseClick(rig.child(rig.paperclip(), "ImgTrombonne"), Qt::LeftButton);
}

// One arrow window for the whole tour, at each step's anchor in the client area, in twips
// (dragging it is the end-to-end tour's). At the end the next button shows "..." and keeps its
// name for a screen reader.
TEST(Assistant, NextAndBackWalkTheArrowOverTheMainWindow) {
    AssistantRig rig;
    rig.placeMain(1000, 500);
    rig.openTour();
    rig.next();
    frmTransPicture* arrow = rig.arrow();
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(arrow->isVisible());
    const auto at = [&] { return QPoint(ui::WindowLeft(*arrow), ui::WindowTop(*arrow)); };
    EXPECT_EQ(at(), QPoint(2400 + 1000, 3960 + 500));
    while (rig.bubble()->TourStep < 10)
        rig.next();
    EXPECT_EQ(at(), QPoint(8160 + 1000, 2760 + 500));
    rig.next();
    ui::InstallAccessibility();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(rig.child(rig.bubble(), "asAssisPopup2"))
                  ->text(QAccessible::Name),
              "Suite");
    rig.press("asAssisPopup1");
    EXPECT_EQ(at(), QPoint(8160 + 1000, 1560 + 500));
    EXPECT_EQ(rig.arrow(), arrow);
}

// Quit by its shortcut: the goodbye takes no input (the wink and the windows closing after are
// the end-to-end tour's).
TEST(Assistant, QuitSaysGoodbyeAndTakesNoInputMeanwhile) {
    AssistantRig rig;
    FrmBulle* bubble = rig.openTour();
    rig.next();
    bubble->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(bubble));
    QTest::keyClick(bubble, Qt::Key_Q, Qt::AltModifier);
    // A button pressed by its shortcut clicks after showing itself pressed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return bubble->isSayingGoodbye(); }, 2000));
    EXPECT_TRUE(rig.program.shared().TourQuit);
    rig.next();
    QTest::keyClick(bubble, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(rig.child<QLabel>(rig.bubble(), "Label1")->text(), "Au revoir !");
    EXPECT_EQ(bubble->TourStep, 1);
}

// The main window answers while the paperclip pauses; a click on the paperclip meanwhile is
// answered when the pause ends, with the bubble closed by its close button back on the start
// screen, then going on from the step reached.
TEST(Assistant, TheMainWindowStaysLiveWhileThePaperclipAnimatesAndTheStepSurvives) {
    AssistantRig rig;
    rig.openTour();
    FrmTrombonne* clip = rig.paperclip();
    clip->Timer1_Timer();
    EXPECT_TRUE(clip->isPaused());
    QTest::mouseClick(rig.child(rig.main(), "Num_7"), Qt::LeftButton);
    EXPECT_EQ(rig.child<QLineEdit>(rig.main(), "TextChiffre")->text(), "7");
    rig.program.object(WindowKind::FrmBulle)->unload();
    clickPaperclip(rig);
    EXPECT_EQ(rig.bubble(), nullptr);
    clip->Pause_Timer();
    EXPECT_TRUE(clip->isPaused());
    clip->Pause_Timer();
    EXPECT_FALSE(clip->isPaused());
    ASSERT_NE(rig.bubble(), nullptr);

    for (int i = 0; i < 5; ++i)
        rig.next();
    rig.press("asAssisPopup3");
    rig.bubble()->Pause_Timer();
    ASSERT_EQ(rig.bubble(), nullptr);
    rig.aide();
    clickPaperclip(rig);
    EXPECT_EQ(rig.bubble()->TourStep, 5);
    EXPECT_EQ(rig.child<QPushButton>(rig.bubble(), "asAssisPopup1")->text(), "...");
    rig.next();
    EXPECT_EQ(rig.bubble()->TourStep, 6);
}

// The main window takes the about box with it too.
TEST(Assistant, ClosingThePaperclipOrTheMainWindowClosesTheAssistant) {
    for (const bool paperclip : {true, false}) {
        AssistantRig rig;
        rig.openTour();
        rig.next();
        rig.main()->Apropos_Click();
        (paperclip ? static_cast<QWidget*>(rig.paperclip()) : rig.main())->close();
        QTest::qWait(0); // the paperclip itself goes at the next turn of the loop
        for (auto kind :
             {WindowKind::FrmBulle, WindowKind::frmTransPicture, WindowKind::FrmTrombonne})
            EXPECT_FALSE(rig.program.object(kind)->isLoaded()) << paperclip;
        EXPECT_EQ(rig.program.object(WindowKind::frmAbout)->isLoaded(), paperclip);
    }
}

} // namespace
