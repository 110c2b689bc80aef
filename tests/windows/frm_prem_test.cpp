#include "assistant_rig.h"

#include <QDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using test::AssistantRig;

const QByteArray kShown = "\"1\"\r\n";

TEST(Welcome, ShownExactlyWhenPremEffHoldsZero) {
    const struct {
        const char* name;
        std::optional<QByteArray> content;
        bool welcome;
    } cases[] = {
        {"quoted zero", QByteArray("\"0\"\r\n"), true},
        {"one", kShown, false},
        {"missing", std::nullopt, false},
        {"broken quote", QByteArray("\"0\r\n"), false},
    };
    for (const auto& c : cases) {
        AssistantRig rig(c.content);
        ASSERT_TRUE(rig.started);
        frmPrem* welcome = rig.welcome();
        EXPECT_EQ(welcome != nullptr, c.welcome) << c.name;
        EXPECT_EQ(rig.main()->isEnabled(), !c.welcome) << c.name;
        // In front, with the keyboard for its keys (Enter, Escape).
        if (!welcome)
            continue;
        EXPECT_TRUE(QTest::qWaitForWindowActive(welcome)) << c.name;
        // The main window ignores clicks meanwhile; the desktop activating it on that click
        // leaves the keyboard with the welcome window.
        rig.clickMain("Num_7");
        EXPECT_EQ(rig.mainText("TextChiffre"), "0");
        rig.main()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(welcome));
    }
}

TEST(Welcome, OkEnterAndEscapeStartTheTour) {
    const std::pair<const char*, std::function<void(frmPrem*)>> ways[] = {
        {"OK clicked",
         [](frmPrem* w) {
             QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
         }},
        {"Enter", [](frmPrem* w) { QTest::keyClick(w, Qt::Key_Return); }},
        {"keypad Enter", [](frmPrem* w) { QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Escape", [](frmPrem* w) { QTest::keyClick(w, Qt::Key_Escape); }},
    };
    for (const auto& [name, press] : ways) {
        AssistantRig rig(QByteArray("\"0\"\r\n"));
        rig.placeMain(3000, 2000);
        frmPrem* welcome = rig.welcome();
        ASSERT_NE(welcome, nullptr);
        welcome->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(welcome));
        press(welcome);
        QTest::qWait(0);
        EXPECT_EQ(rig.welcome(), nullptr) << name;
        EXPECT_TRUE(rig.main()->isEnabled()) << name;
        ASSERT_NE(rig.paperclip(), nullptr) << name;
        EXPECT_EQ(ui::WindowLeft(*rig.paperclip()), 2900) << name;
        EXPECT_EQ(rig.readFile("Prem.eff"), kShown) << name;
    }
}

TEST(Welcome, ClosingOtherwiseRecordsItWithoutTheTour) {
    for (const bool mainWindow : {false, true}) {
        AssistantRig rig(QByteArray("\"0\"\r\n"));
        (mainWindow ? static_cast<QWidget*>(rig.main()) : rig.welcome())->close();
        EXPECT_TRUE(!rig.welcome() || !rig.welcome()->isVisible());
        EXPECT_EQ(rig.paperclip(), nullptr);
        EXPECT_EQ(rig.readFile("Prem.eff"), kShown);
        EXPECT_TRUE(mainWindow || rig.main()->isEnabled());
    }
}

TEST(Welcome, AMarkerThatCannotBeWrittenCostsNothingElse) {
    AssistantRig rig(QByteArray("\"0\"\r\n"));
    ASSERT_NE(rig.welcome(), nullptr);
    // The marker's place taken by a folder: the write fails.
    ASSERT_TRUE(QFile::remove(rig.folder.filePath(QStringLiteral("Prem.eff"))));
    ASSERT_TRUE(QDir(rig.folder.path()).mkdir(QStringLiteral("Prem.eff")));
    rig.welcome()->cmdOK_Click();
    EXPECT_TRUE(rig.main()->isEnabled());
    EXPECT_NE(rig.paperclip(), nullptr);
    EXPECT_TRUE(QFileInfo(rig.folder.filePath(QStringLiteral("Prem.eff"))).isDir());
}

TEST(Welcome, HandOverOkArrowOverTheBackground) {
    AssistantRig rig(QByteArray("\"0\"\r\n"));
    frmPrem* welcome = rig.welcome();
    auto* ok = welcome->findChild<QToolButton*>(QStringLiteral("cmdOK"));
    auto shape = [&] { return ok->cursor().shape(); };
    QTest::mouseMove(ok, QPoint(20, 20));
    EXPECT_EQ(shape(), Qt::BitmapCursor);
    // Over the title the setting stays as it is.
    QTest::mouseMove(welcome->findChild<QLabel*>(QStringLiteral("lblTitle")), QPoint(5, 5));
    EXPECT_EQ(shape(), Qt::BitmapCursor);
    QTest::mouseMove(welcome, QPoint(5, welcome->height() - 5));
    EXPECT_EQ(shape(), Qt::ArrowCursor);
    EXPECT_EQ(welcome->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
