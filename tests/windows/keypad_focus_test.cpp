// The calculator against what moves the focus: the banner's ticks, a key of the pad holding it,
// the paste-back from the tape.
#include "online_rig.h"
#include "virtual_clock.h"

#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <gtest/gtest.h>

using test::kDashes;
using test::lines;

namespace {

ui::QtDialogs boxes;

// The real message boxes, answered as they show: what each said, and whether it lay whole on the
// screen; the banner's files for its ticks. Loaded with the banner off unless told not to load.
struct FocusRig : test::OnlineRig {
    std::string said;
    bool fits = true;
    QTimer answerer;
    explicit FocusRig(bool loaded = true) : OnlineRig(&boxes) {
        boxes.setParentWidget(window.get());
        for (const char* name : {"Pub1.gif", "Pub2.gif"})
            QFile::copy(test::assetPath("Pub1.gif"), file(name));
        answerer.callOnTimeout([this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said += box->text().toStdString() + "|";
                fits &= box->screen()->availableGeometry().contains(box->frameGeometry());
                QTest::keyClick(box, Qt::Key_Enter);
            }
        });
        answerer.start(10);
        if (loaded)
            load(false);
    }
};

// A huge selection and one of many lines are refused in one short line; a selection dragged
// across the banner's first tick is what "M" pastes.
TEST(KeypadFocus, PasteBackReadsTheSelectionShownAtThePress) {
    const std::string refused = "Valeur non numérique >>>  ";
    const struct {
        QString tape; // empty: "12+3" typed, and "15" dragged over across a tick
        const char* display;
        std::string said;
    } cases[] = {{QString("abcd ").repeated(20000), "0",
                  refused + "abcd abcd abcd abcd abcd abcd "
                            "abcd abcd …|"},
                 {QString("12\n").repeated(20000), "0", refused + "12…|"},
                 {QString(), "15", ""}};
    for (const auto& c : cases) {
        FocusRig rig;
        auto* notes = rig.find<QPlainTextEdit>("blocnote");
        auto at = [notes](int position) {
            QTextCursor cursor(notes->document());
            cursor.setPosition(position);
            return notes->cursorRect(cursor).center();
        };
        if (c.tape.isEmpty()) {
            rig.focus("Text2");
            QTest::keyClicks(rig.box("Text2"), "12+3\r");
            QTest::mousePress(notes->viewport(), Qt::LeftButton, {}, at(10));
            QTest::mouseMove(notes->viewport(), at(11));
            rig.window->Timer1_Timer();
            ASSERT_TRUE(rig.box("Text2")->hasFocus());
            QTest::mouseMove(notes->viewport(), at(12));
            QTest::mouseRelease(notes->viewport(), Qt::LeftButton, {}, at(12));
        } else {
            notes->setPlainText(c.tape);
            QTest::mouseClick(notes->viewport(), Qt::LeftButton);
            QTest::keyClick(notes, Qt::Key_A, Qt::ControlModifier);
        }
        rig.click("Command3");
        EXPECT_EQ(rig.text("TextChiffre"), c.display);
        EXPECT_EQ(rig.said, c.said);
        EXPECT_TRUE(rig.fits);
    }
}

// The banner's ticks hand the focus to the keyboard box and leave a calculation made with the
// mouse as it was; the user's own move into the box still starts afresh.
TEST(KeypadFocus, BannerTicksLeaveACalculationAlone) {
    for (const bool pubOn : {false, true}) {
        FocusRig rig(false);
        test::VirtualClock clock(rig, [&] { rig.downloadTick(); });
        rig.load(pubOn);
        rig.focus("Text2");
        rig.clickKeys({"Num_1", "CmdOperation_0", "Num_2"});
        clock.runUntil(40000);
        EXPECT_TRUE(rig.box("Text2")->hasFocus());
        rig.click("CmdOperation_4");
        rig.focus("TextChiffre");
        QTest::keyClick(rig.box("TextChiffre"), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(rig.tape(), lines({"1 + 2 =  3", kDashes}));
    }
}

// Keys typed on a key of the pad that has the focus work as in the keyboard box, without its
// reset; Space presses the key; Ctrl+C copies the display's figure. The menu's items each have
// a letter of their own.
TEST(KeypadFocus, KeysTypedOnAFocusedKeyAndMenuLetters) {
    const struct {
        const char *key, *typed, *display;
        std::string tape;
    } cases[] = {{"Num_1", "2+3\r", "15", lines({"12 + 3 =  15"})},
                 {"Num_4", " 5", "445", "445"},
                 {"Num_9", "9\b8", "8", lines({"99", kDashes}) + "8"}};
    for (const auto& c : cases) {
        FocusRig rig;
        rig.click(c.key);
        QTest::keyClicks(QApplication::focusWidget(), c.typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(rig.text("TextChiffre"), c.display);
        EXPECT_EQ(rig.tape(), c.tape);
        EXPECT_EQ(rig.clipboard.text().value_or(""), c.display);
    }
    FocusRig rig;
    QSet<QKeySequence> letters;
    for (const QAction* action : rig.find<QMenu>("menu")->actions())
        letters << QKeySequence::mnemonic(action->text());
    EXPECT_EQ(letters.size(), 8); // one each, and the separators' none
}

// A message box closing hands the focus back to the keyboard box: no move, so neither a reset
// nor a second separator.
TEST(KeypadFocus, MessageBoxClosingIsNoMove) {
    FocusRig rig;
    rig.focus("Text2");
    QTest::keyClicks(rig.box("Text2"), "123456789012345678");
    EXPECT_EQ(rig.said, "Dépassement de capacité !|");
    rig.window->activateWindow(); // as the desktop does when a box closes
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.window.get()));
    ASSERT_TRUE(rig.box("Text2")->hasFocus());
    QTest::keyClicks(rig.box("Text2"), "2+2\r");
    EXPECT_EQ(rig.tape(), lines({"12345678901234567", kDashes}) + lines({"2 + 2 =  4"}));
}

} // namespace
