#include "assistant_rig.h"
#include "platform/speech_bubble.h"
#include "platform/twips.h"

#include <QImage>
#include <QRegion>
#include <gtest/gtest.h>

namespace {

using test::AssistantRig;

// The paperclip over the main window's corner; its bubble opens once by itself, then on clicks,
// on whichever side of the paperclip has room.
TEST(Assistant, PaperclipThenItsBubbleBesideIt) {
    AssistantRig rig;
    ASSERT_TRUE(rig.started);
    rig.placeMain(2000, 1500);
    rig.program.shared().TourQuit = true;
    FrmBulle* bubble = rig.openTour();
    FrmTrombonne* clip = rig.paperclip();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->pos(), QPoint(ui::Px(1900), ui::Px(1600)));
    EXPECT_FALSE(rig.program.shared().TourQuit);
    ASSERT_NE(bubble, nullptr);
    EXPECT_TRUE(bubble->isVisible());
    EXPECT_EQ(rig.bubbleText(), "Bonjour, pour commencer l'Aide, cliquez sur le bouton (Suite).");
    // No room above nor on the left; the paperclip's outer width counts.
    EXPECT_EQ(ui::WindowTop(*bubble), 1600);
    EXPECT_EQ(ui::WindowLeft(*bubble), 1900 + ui::WindowWidth(*clip) - 700);
    EXPECT_EQ(bubble->bubble()->orientation(), 2);

    rig.program.object(shell::WindowKind::FrmBulle)->unload();
    rig.aide();
    EXPECT_FALSE(rig.timer(clip, "Timer2")->isActive());
    EXPECT_EQ(rig.bubble(), nullptr);
    rig.placeMain(9000, 6000);
    rig.aide();
    QTest::mouseClick(clip->findChild<QLabel*>(QStringLiteral("ImgTrombonne")), Qt::LeftButton);
    ASSERT_NE(rig.bubble(), nullptr);
    EXPECT_EQ(rig.bubble()->bubble()->orientation(), 0); // room above and on the left
}

TEST(Assistant, TheBubbleTimerIsRunningOnItsOwn) {
    AssistantRig rig;
    rig.aide();
    FrmTrombonne* clip = rig.paperclip();
    rig.timer(clip, "Timer2")->holdTicks(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.bubble() != nullptr; }, 5000));
}

TEST(Assistant, NextAndBackWalkTheArrowOverTheMainWindow) {
    AssistantRig rig;
    rig.placeMain(1000, 500);
    rig.openTour();
    rig.next();
    frmTransPicture* arrow = rig.arrow();
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(arrow->isVisible());
    const auto at = [&] { return QPoint(ui::WindowLeft(*arrow), ui::WindowTop(*arrow)); };
    // The anchors of steps 1, 9 and 10 in the client area, in twips.
    EXPECT_EQ(at(), QPoint(2400 + 1000, 3960 + 500));
    while (rig.bubble()->TourStep < 10)
        rig.next();
    EXPECT_EQ(at(), QPoint(8160 + 1000, 2760 + 500));
    rig.next();
    EXPECT_EQ(rig.bubbleText(), "FIN DE L'AIDE.");
    EXPECT_EQ(rig.caption("asAssisPopup2"), "...");
    EXPECT_EQ(rig.arrow(), arrow) << "one arrow window for the whole tour";
    rig.back();
    EXPECT_EQ(at(), QPoint(8160 + 1000, 1560 + 500));
    EXPECT_EQ(rig.caption("asAssisPopup2"), "Suite");
    while (rig.bubble()->TourStep > 2)
        rig.back();
    rig.back(); // from step 2 straight to the start screen
    EXPECT_EQ(rig.bubble()->TourStep, 0);
    EXPECT_EQ(rig.caption("asAssisPopup1"), "...");
}

TEST(Assistant, TheArrowWindowShowsOnlyTheArrowAndAnyButtonDragsIt) {
    AssistantRig rig;
    rig.openTour();
    rig.next();
    frmTransPicture* arrow = rig.arrow();
    const QImage picture =
        QImage(QStringLiteral(TIRELIX_ASSETS "/arrow.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(43, 45));
    const QRegion mask = arrow->mask();
    for (int y = 0; y < arrow->height(); ++y) {
        for (int x = 0; x < arrow->width(); ++x) {
            const bool ink = picture.valid(x, y) && picture.pixel(x, y) != qRgb(255, 255, 255);
            EXPECT_EQ(mask.contains(QPoint(x, y)), ink) << x << ',' << y;
        }
    }
    QWidget* arrowPicture = arrow->findChild<QWidget*>(QStringLiteral("Picture1"));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        const QPoint start = arrow->pos();
        const QPoint grip(20, 22); // inside the arrow
        QTest::mousePress(arrowPicture, button, {}, grip);
        QTest::mouseMove(arrowPicture, grip + QPoint(30, 12));
        QTest::mouseRelease(arrowPicture, button, {}, grip + QPoint(30, 12));
        EXPECT_EQ(arrow->pos(), start + QPoint(30, 12)) << button;
        // Moved by hand, it reads where it is.
        EXPECT_EQ(ui::WindowLeft(*arrow), arrow->x() * ui::kTwipsPerPixel);
    }
}

TEST(Assistant, QuitSaysGoodbyeThenThePaperclipWinksAndTheMainWindowClosesAll) {
    AssistantRig rig;
    FrmBulle* bubble = rig.openTour();
    rig.next();
    bubble->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(bubble));
    QTest::keyClick(bubble, Qt::Key_Q, Qt::AltModifier);
    // A button pressed by its shortcut clicks after showing itself pressed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return bubble->isSayingGoodbye(); }, 2000));
    EXPECT_TRUE(rig.program.shared().TourQuit);
    EXPECT_EQ(rig.bubbleText(), "Au revoir !");
    EXPECT_TRUE(bubble->isSayingGoodbye());

    // Meanwhile the bubble takes no input, by mouse or by its shortcut.
    rig.next();
    rig.back();
    QTest::keyClick(bubble, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(rig.bubbleText(), "Au revoir !");
    EXPECT_EQ(bubble->TourStep, 1);

    // The paperclip's tick during the goodbye waits for it to end.
    FrmTrombonne* clip = rig.paperclip();
    ui::Timer* timer4 = rig.timer(rig.main(), "Timer4");
    clip->Timer1_Timer();
    clip->Pause_Timer();
    EXPECT_NE(clip->shownFrame(), 3);
    EXPECT_FALSE(timer4->isActive());

    bubble->Pause_Timer();
    EXPECT_EQ(rig.bubble(), nullptr);
    EXPECT_EQ(rig.arrow(), nullptr);
    ASSERT_EQ(rig.paperclip(), clip);
    EXPECT_TRUE(clip->isVisible());

    clip->Pause_Timer();
    EXPECT_EQ(clip->shownFrame(), 3);
    EXPECT_TRUE(timer4->isActive());
    EXPECT_EQ(timer4->interval(), 1000);

    rig.main()->Timer4_Timer();
    EXPECT_EQ(rig.paperclip(), nullptr);
    EXPECT_FALSE(timer4->isActive());
    EXPECT_TRUE(rig.main()->isVisible());
}

TEST(Assistant, TheStepReachedSurvivesTheBubblesClosing) {
    AssistantRig rig;
    rig.openTour();
    for (int i = 0; i < 5; ++i)
        rig.next();
    rig.press("asAssisPopup3");
    rig.bubble()->Pause_Timer();
    ASSERT_EQ(rig.bubble(), nullptr);

    rig.aide();
    QTest::mouseClick(rig.paperclip()->findChild<QLabel*>(QStringLiteral("ImgTrombonne")),
                      Qt::LeftButton);
    EXPECT_EQ(rig.bubbleText(), "Bonjour, pour commencer l'Aide, cliquez sur le bouton (Suite).");
    EXPECT_EQ(rig.caption("asAssisPopup1"), "...");
    EXPECT_EQ(rig.bubble()->TourStep, 5);
    rig.next();
    EXPECT_EQ(rig.bubble()->TourStep, 6);
    EXPECT_EQ(rig.bubbleText(), "Ce bouton efface la zone de saisie + la zone de résultats et vous "
                                "permet de mettre un Titre dans la ligne Ticket Note.");
}

TEST(Assistant, TheMainWindowStaysLiveWhileThePaperclipAnimates) {
    AssistantRig rig;
    rig.openTour();
    FrmTrombonne* clip = rig.paperclip();
    clip->Timer1_Timer();
    EXPECT_EQ(clip->shownFrame(), 0);
    EXPECT_TRUE(clip->isPaused());
    rig.clickMain("Num_7");
    EXPECT_EQ(rig.mainText("TextChiffre"), "7");

    // A click on the paperclip during the pause is answered when the pause ends.
    rig.program.object(shell::WindowKind::FrmBulle)->unload();
    QTest::mouseClick(clip->findChild<QLabel*>(QStringLiteral("ImgTrombonne")), Qt::LeftButton);
    EXPECT_EQ(rig.bubble(), nullptr);
    clip->Pause_Timer();
    EXPECT_EQ(clip->shownFrame(), 1);
    EXPECT_TRUE(clip->isPaused());
    clip->Pause_Timer();
    EXPECT_FALSE(clip->isPaused());
    EXPECT_NE(rig.bubble(), nullptr);
    EXPECT_EQ(clip->shownFrame(), 1);
}

// The main window takes the about box with it too.
TEST(Assistant, ClosingThePaperclipOrTheMainWindowClosesTheAssistant) {
    for (const bool paperclip : {true, false}) {
        AssistantRig rig;
        rig.openTour();
        rig.next();
        ASSERT_NE(rig.arrow(), nullptr);
        rig.main()->Apropos_Click();
        (paperclip ? static_cast<QWidget*>(rig.paperclip()) : rig.main())->close();
        QTest::qWait(0); // the paperclip itself goes at the next turn of the loop
        for (auto kind : {shell::WindowKind::FrmBulle, shell::WindowKind::frmTransPicture,
                          shell::WindowKind::FrmTrombonne})
            EXPECT_FALSE(rig.program.object(kind)->isLoaded()) << paperclip;
        EXPECT_EQ(rig.program.object(shell::WindowKind::frmAbout)->isLoaded(), paperclip);
    }
}

} // namespace
