// What a screen reader and a keyboard user meet in every window: names, roles and hidden
// decoration read through Qt's accessibility interfaces, the Tab chain of the main window, and
// a calculation made with keyboard events alone.
#include "assistant_rig.h"
#include "online_rig.h"
#include "platform/accessibility.h"
#include "platform/timer.h"
#include "windows/frm_about.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

using test::AssistantRig;
using test::lines;
using test::MainWindowRig;

QAccessibleInterface* accessible(QWidget* window, const char* object) {
    QWidget* w = QString::fromLatin1(object) == window->objectName()
                     ? window
                     : window->findChild<QWidget*>(QString::fromLatin1(object));
    return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
}

// What a reader is told a control is, and the decoration it must not meet at all.
void expectRolesAndHidden(QWidget* window,
                          std::initializer_list<std::pair<const char*, QAccessible::Role>> roles,
                          std::initializer_list<const char*> hidden) {
    for (const auto& [object, role] : roles) {
        QAccessibleInterface* a = accessible(window, object);
        ASSERT_NE(a, nullptr) << object;
        EXPECT_EQ(a->role(), role) << object;
        EXPECT_FALSE(a->state().invisible) << object;
    }
    for (const char* object : hidden) {
        QAccessibleInterface* a = accessible(window, object);
        ASSERT_NE(a, nullptr) << object;
        EXPECT_TRUE(a->state().invisible) << object;
    }
}

// Everything a reader reaches in the window has a name, but Qt's inner parts of a text box
// (its viewport and scroll bars) and the lines.
void expectEveryShownPartNamed(QAccessibleInterface* node, const QString& path) {
    if (node->state().invisible)
        return;
    const QAccessible::Role role = node->role();
    if (role != QAccessible::Client && role != QAccessible::ScrollBar &&
        role != QAccessible::Separator) {
        EXPECT_FALSE(node->text(QAccessible::Name).isEmpty())
            << path.toStdString() << " role " << role;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        const QString name = child->object() ? child->object()->objectName() : QString();
        expectEveryShownPartNamed(child, path + QLatin1Char('/') + name);
    }
}

void expectEveryShownPartNamed(QWidget* window) {
    expectEveryShownPartNamed(QAccessible::queryAccessibleInterface(window), window->objectName());
}

// The Tab chain of the main window, from the entry box the window starts in.
const QStringList kTabChain =
    QStringLiteral("Text1 Francs Euros Command4 Text2 TextChiffre Num_7 Num_8 Num_9 "
                   "CmdOperation_3 pourcent Num_4 Num_5 Num_6 CmdOperation_2 Command3 Num_1 Num_2 "
                   "Num_3 CmdOperation_1 Command2 Num_0 NumVirg CmdOperation_4 CmdOperation_0 "
                   "CmdReset blocnote Command5")
        .split(QLatin1Char(' '));

QString focusName() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<none>");
}

// The main window, shown, its clocks held so that no banner tick moves the focus.
struct KeyboardRig : MainWindowRig {
    KeyboardRig() {
        ui::InstallAccessibility();
        show();
        for (ui::Timer* t : window->findChildren<ui::Timer*>())
            t->holdTicks(true);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    }
    // Along the chain with Tab or Shift+Tab, never round its end.
    void tabTo(const char* name) {
        const qsizetype target = kTabChain.indexOf(QLatin1String(name));
        for (int steps = 0; steps < kTabChain.size() && focusName() != name; ++steps)
            key(kTabChain.indexOf(focusName()) < target ? Qt::Key_Tab : Qt::Key_Backtab);
        ASSERT_EQ(focusName(), name);
    }
    void press(std::initializer_list<const char*> keys) {
        for (const char* k : keys) {
            tabTo(k);
            key(Qt::Key_Space);
        }
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
        EXPECT_EQ(seen, expected) << (direction > 0 ? "Tab" : "Shift+Tab");
    }
}

TEST(KeyboardOnly, CalculationWithTheKeysThenTheKeypadThenTheMenu) {
    KeyboardRig rig;
    rig.press({"Num_1", "Num_2", "CmdOperation_0", "Num_3", "CmdOperation_4"});
    EXPECT_EQ(rig.text("TextChiffre"), "15");
    EXPECT_EQ(rig.tape(), lines({"12 + 3 =  15"}));

    // Back to the keyboard box, which starts afresh, and its numeric keypad.
    rig.tabTo("Text2");
    for (Qt::Key k : {Qt::Key_4, Qt::Key_Asterisk, Qt::Key_2, Qt::Key_Enter})
        rig.key(k, Qt::KeypadModifier);
    EXPECT_EQ(rig.text("TextChiffre"), "8");
    EXPECT_EQ(rig.tape(), lines({"12 + 3 =  15", test::kDashes, "4 x 2 =  8"}));

    // The tape lets Tab through, and its clear key works with Space like the others.
    rig.tabTo("blocnote");
    rig.key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "Command5");
    rig.key(Qt::Key_Space);
    EXPECT_EQ(rig.tape(), "");

    // F10 opens the menu on its first item, from wherever the focus is.
    rig.tabTo("Num_5");
    rig.key(Qt::Key_F10);
    QMenu* menu = rig.window->menu();
    ASSERT_TRUE(menu->isVisible());
    ASSERT_NE(menu->activeAction(), nullptr);
    EXPECT_EQ(menu->activeAction()->objectName(), "load");
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
}

TEST(KeyboardOnly, AboutBoxLinkReachedWithTabAndFollowedWithSpaceOrEnter) {
    test::AboutRig rig;
    rig.show();
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
    // Offline, each press says so; online it opens the site.
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    EXPECT_EQ(rig.dialogs.messages.size(), 2u);
    rig.connection.connected = true;
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(rig.browser.opened, std::vector<std::string>{test::kSite});
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), "cmdOK");
    QPointer<frmAbout> watched = box;
    key(Qt::Key_Return);
    EXPECT_TRUE(!watched || !watched->isVisible());
}

// Every window: each part a reader meets has a name, the windows and the controls that are not
// plain text boxes or labels say what they are, and the decoration stays out of the way.
TEST(ScreenReaders, MainWindow) {
    KeyboardRig rig;
    using A = QAccessible;
    QWidget* w = rig.window.get();
    expectRolesAndHidden(w,
                         {{"frmEuros", A::Window},
                          {"Picture5", A::Pane},
                          {"Picture2", A::Pane},
                          {"Line1", A::Separator},
                          {"Text1", A::EditableText},
                          {"CmdReset", A::Button},
                          {"Image4", A::Graphic},
                          {"Image2", A::Graphic}},
                         {"Command1", "Etat", "List1", "Picture4", "Picture12"});
    EXPECT_EQ(accessible(w, "Label6")->text(QAccessible::Description), "Touche F10");
    EXPECT_EQ(accessible(w, "CmdReset")->text(QAccessible::Description), "Ligne suivante");
    EXPECT_EQ(accessible(w, "Num_7")->text(QAccessible::Name), "sept");
    EXPECT_FALSE(
        QAccessible::queryAccessibleInterface(rig.window->menu())->text(A::Name).isEmpty());
    expectEveryShownPartNamed(w);
}

TEST(ScreenReaders, WelcomeAndAboutBox) {
    AssistantRig rig(QByteArray("\"0\"\r\n"));
    frmPrem* welcome = rig.welcome();
    ASSERT_NE(welcome, nullptr);
    expectRolesAndHidden(
        welcome, {{"frmPrem", QAccessible::Window}, {"cmdOK", QAccessible::Button}}, {"picIcon"});
    expectEveryShownPartNamed(welcome);

    rig.main()->findChild<QAction*>(QStringLiteral("Apropos"))->trigger();
    auto* box = qobject_cast<frmAbout*>(rig.program.object(test::WindowKind::frmAbout)->widget());
    ASSERT_NE(box, nullptr);
    expectRolesAndHidden(box, {{"frmAbout", QAccessible::Dialog}, {"Label1", QAccessible::Link}},
                         {"picIcon"});
    // The link reads as what it opens.
    const QString host = box->findChild<QLabel*>(QStringLiteral("Label1"))->text();
    EXPECT_FALSE(host.isEmpty());
    EXPECT_TRUE(accessible(box, "Label1")->text(QAccessible::Name).endsWith(host));
    expectEveryShownPartNamed(box);
}

TEST(ScreenReaders, TourWindowsNamedWhateverTheCaptions) {
    AssistantRig rig;
    FrmBulle* bubble = rig.openTour();
    ASSERT_NE(bubble, nullptr);
    FrmTrombonne* clip = rig.paperclip();
    expectRolesAndHidden(
        clip, {{"FrmTrombonne", QAccessible::Window}, {"ImgTrombonne", QAccessible::Graphic}},
        {"Image1_0", "Image1_1", "Image1_2", "Image1_3"});
    expectEveryShownPartNamed(clip);
    // At the end the next button shows "..." and keeps its name.
    for (int step = 0; step <= 11; ++step) {
        expectRolesAndHidden(bubble, {{"FrmBulle", QAccessible::Window}}, {"Truc1"});
        expectEveryShownPartNamed(bubble);
        EXPECT_EQ(accessible(bubble, "asAssisPopup2")->text(QAccessible::Name), "Suite");
        if (step < 11)
            rig.next();
    }
    ASSERT_EQ(rig.caption("asAssisPopup2"), "...");
    frmTransPicture* arrow = rig.arrow();
    ASSERT_NE(arrow, nullptr);
    expectRolesAndHidden(arrow, {{"Picture1", QAccessible::Graphic}}, {});
    expectEveryShownPartNamed(arrow);
}

} // namespace
