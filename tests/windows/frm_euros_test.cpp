#include "main_window_rig.h"
#include "test_files.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <gtest/gtest.h>

using test::kDashes;
using test::lines;
using test::MainWindowRig;

namespace {

// The keyboard's rules are the core tests'; here the real box's input methods, paste shortcut,
// Enter and its alignment (coming back to it is keypad_focus_test's).
TEST(MainWindow, KeyboardBox) {
    MainWindowRig rig;
    rig.show();
    QLineEdit* box = rig.box("Text2");
    EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    rig.focus("Text2");
    rig.clipboard.setText("999");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rig.text("Text2"), "");
    // Several characters at once (an input method's, a key that types a string) go through the
    // same keys, one at a time.
    QInputMethodEvent composed(QStringLiteral("é"), {});
    composed.setCommitString(QStringLiteral("a7ê"));
    QApplication::sendEvent(box, &composed);
    QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown,
                        QStringLiteral("x8\U0001F600"), Qt::NoModifier);
    QTest::keyClicks(box, "+3");
    QTest::keyClick(box, Qt::Key_Enter);
    EXPECT_TRUE(rig.tape().ends_with(lines({"78 + 3 =  81"}))) << rig.tape();
    EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

// Each key's button reaches its key, the title asks, and the tape's clear key empties it and
// hands the keyboard box the focus. A figure refused as typed says so and clears both results
// (the figures of a good one are the core tests' and the long figures' below); the clear key
// empties all and keeps the focus.
TEST(MainWindow, KeysTitleClearNotesAndTheConverter) {
    MainWindowRig rig;
    rig.show();
    rig.clickKeys({"Num_1", "Num_2", "CmdOperation_0", "Num_3", "CmdOperation_2", "Num_4",
                   "CmdOperation_4", "CmdReset", "Num_1", "NumVirg", "Num_5", "CmdOperation_3",
                   "Num_2", "pourcent", "CmdOperation_4"});
    EXPECT_EQ(rig.tape(), lines({"12 + 3 =  15", " x 4 =  60", kDashes, "1,5 / 2%  =  75"}));
    rig.dialogs.answers.push_back("Courses");
    rig.click("Command2");
    EXPECT_TRUE(rig.tape().ends_with(lines({" ------- Courses"}))) << rig.tape();
    rig.click("Command5");
    EXPECT_EQ(rig.tape(), "");
    EXPECT_TRUE(rig.box("Text2")->hasFocus());

    rig.focus("Text1");
    QTest::keyClicks(rig.box("Text1"), "12a");
    EXPECT_EQ(rig.text("Text1") + "|" + rig.text("Francs") + "|" + rig.text("Euros"), "12a|0|0");
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_TRUE(rig.window->Text1HadFocus);
    rig.click("Command4");
    EXPECT_EQ(rig.text("Text1") + rig.text("Francs") + rig.text("Euros"), "00");
    EXPECT_TRUE(rig.box("Text1")->hasFocus());
    // A result pasted back reads as the amount it shows.
    rig.clipboard.setText("8 097,79 F");
    QTest::keyClick(rig.box("Text1"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rig.text("Euros") + QString::number(rig.dialogs.messages.size()), "1 234,501");
}

// Columns of a drawn box that hold ink (anything brighter than its black ground), rim aside.
std::pair<int, int> inkColumns(QWidget* box) {
    const QImage drawn = box->grab().toImage();
    int first = drawn.width(), last = -1;
    for (int x = 1; x < drawn.width() - 1; ++x)
        for (int y = 1; y < drawn.height() - 1; ++y)
            if (qGray(drawn.pixel(x, y)) > 96) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// A figure too long for its box is drawn smaller rather than cut, and the next short one at the
// box's size again.
TEST(MainWindow, LongFiguresShowWhole) {
    for (const auto& [boxName, typedInto, typed] :
         {std::tuple{"TextChiffre", "Text2", "12345678901234567"}, // "1,23456789012346E+157"
          {"Francs", "Text1", "1234567890123"},
          {"Euros", "Text1", "123456789012345"}}) {
        SCOPED_TRACE(boxName);
        MainWindowRig rig;
        rig.show();
        QLineEdit* box = rig.box(boxName);
        const QFont design = box->font();
        rig.focus(typedInto);
        QTest::keyClicks(rig.box(typedInto), typed);
        const auto [first, last] = inkColumns(box);
        const int advance = QFontMetrics(box->font()).horizontalAdvance(box->text());
        EXPECT_GE(last - first + 1 + 4, advance) << box->text().toStdString(); // side bearings
        EXPECT_LT(box->font().pointSizeF(), design.pointSizeF());
        QTest::keyClick(rig.box(typedInto), Qt::Key_Backspace);
        rig.box(typedInto)->clear();
        QTest::keyClicks(rig.box(typedInto), "7");
        EXPECT_EQ(box->font(), design) << box->text().toStdString();
    }
}

// A tape line wider than the tape wraps at its edge: its result stays in view once the tape
// has gone on to the next line.
TEST(MainWindow, LongTapeLineKeepsItsResultInView) {
    MainWindowRig rig;
    rig.show();
    rig.focus("Text2");
    QTest::keyClicks(rig.box("Text2"), "1234567,5+1000+1234567,5+1000");
    QTest::keyClick(rig.box("Text2"), Qt::Key_Enter);
    QTest::keyClick(rig.box("Text2"), Qt::Key_Backspace);
    QCoreApplication::processEvents();
    auto* tape = rig.window->findChild<QPlainTextEdit*>("blocnote");
    QTextCursor result = tape->document()->find(QStringLiteral("2471135"));
    ASSERT_FALSE(result.isNull());
    const QRect shown = tape->viewport()->rect();
    EXPECT_TRUE(shown.contains(tape->cursorRect(result).center()));
    EXPECT_FALSE(tape->horizontalScrollBar()->isVisible());
}

// The program's first move of the focus to the entry box is the box's first focus, also when the
// desktop activates the window afterwards (a window manager; active at once is every test's
// start).
TEST(MainWindow, FirstFocusOfTheEntryDropsWhatItHeld) {
    MainWindowRig rig;
    QWidget elsewhere;
    rig.box("Text1")->setText("left over");
    rig.window->Form_Load();
    rig.window->show();
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    rig.window->Form_Activate();
    rig.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.window.get()));
    EXPECT_EQ(rig.text("Text1"), "");
    EXPECT_TRUE(rig.box("Text1")->hasFocus());
    EXPECT_TRUE(rig.window->Text1HadFocus); // the banner gives the focus back here
    // What is typed then stays when the box comes back into focus.
    QTest::keyClicks(rig.box("Text1"), "100");
    rig.focus("Text2");
    rig.focus("Text1");
    EXPECT_EQ(rig.text("Text1"), "100");
}

// "Pub Online" over a Pub.eff that is a link: read as missing, replaced by a file of its own, and
// what the link led to (here a switched-on banner) never written.
TEST(MainWindow, StateFileLinkNeitherReadNorWrittenThrough) {
    MainWindowRig rig;
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("cible"), pub = rig.folder.filePath("Pub.eff");
    test::writeBytes(target, "\"1\"\r\n");
    ASSERT_TRUE(QFile::link(target, pub));
    rig.show();
    rig.window->findChild<QAction*>("Pub")->trigger();
    EXPECT_FALSE(QFileInfo(pub).isSymLink());
    EXPECT_EQ(test::readBytes(pub), "\"1\"\r\n");
    EXPECT_EQ(test::readBytes(target), "\"1\"\r\n");
}

} // namespace
