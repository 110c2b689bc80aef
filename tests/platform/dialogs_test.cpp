// The real message box stands over the window the user works in and answers its letters. (The
// file dialog is the note pages' tests'.)
#include "platform/qt_platform.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Closes a box still open a while later, so that a box that did not take what the test gave it
// fails the test rather than hangs it.
void closeLeftOpen(QWidget* box) {
    QTimer::singleShot(1000, box, [box] { ADD_FAILURE() << "left open", box->close(); });
}

TEST(MessageBox, StandsOverTheActiveWindowAndAnswersItsLetters) {
    QWidget main;
    QWidget about;
    for (QWidget* w : {&main, &about}) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    ui::QtDialogs dialogs(&main);
    const ui::Message question{"Etes-vous certain de vouloir imprimer ?", "Impression de la note",
                               ui::Buttons::YesNo, ui::Icon::Question};
    for (const auto& [letter, answer] :
         {std::pair{Qt::Key_N, ui::Answer::No}, std::pair{Qt::Key_O, ui::Answer::Yes}}) {
        // As the desktop does when a box closes: its window is active again.
        about.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
        QWidget* over = nullptr;
        QTimer::singleShot(20, [&, letter = letter] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            over = box->parentWidget();
            closeLeftOpen(box); // the letter did not answer the box
            QTest::keyClick(box, letter);
        });
        EXPECT_EQ(dialogs.messageBox(question), answer);
        EXPECT_EQ(over, &about);
    }
}

} // namespace
