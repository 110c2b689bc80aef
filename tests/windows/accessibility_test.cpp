// What a screen reader and a keyboard user meet in every window: names, roles and hidden
// decoration read through Qt's accessibility interfaces, the Tab chain of the main window, and
// a calculation made with keyboard events alone.
#include "assistant_rig.h"
#include "main_window_rig.h"
#include "platform/accessibility.h"
#include "platform/timer.h"
#include "windows/frm_about.h"
#include "windows/window_slot.h"

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

constexpr int kNoRole = -1;

struct Expected {
    const char* object;
    int role; // kNoRole: whatever Qt gives the kind of control
    const char* name;
    const char* description = nullptr;
};

QAccessibleInterface* accessible(QWidget* window, const char* object) {
    QWidget* w = QString::fromLatin1(object) == window->objectName()
                     ? window
                     : window->findChild<QWidget*>(QString::fromLatin1(object));
    return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
}

void expectNamed(QWidget* window, std::initializer_list<Expected> rows) {
    for (const Expected& e : rows) {
        QAccessibleInterface* a = accessible(window, e.object);
        ASSERT_NE(a, nullptr) << e.object;
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(e.name)) << e.object;
        if (e.role != kNoRole) {
            EXPECT_EQ(a->role(), e.role) << e.object;
        }
        if (e.description) {
            EXPECT_EQ(a->text(QAccessible::Description), QString::fromUtf8(e.description))
                << e.object;
        }
        EXPECT_FALSE(a->state().invisible) << e.object;
    }
}

void expectHidden(QWidget* window, std::initializer_list<const char*> objects) {
    for (const char* object : objects) {
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
const char* const kTabChain[] = {
    "Text1",       "Francs",   "Euros",   "Command4",       "Text2",
    "TextChiffre", "Num_7",    "Num_8",   "Num_9",          "CmdOperation_3",
    "pourcent",    "Num_4",    "Num_5",   "Num_6",          "CmdOperation_2",
    "Command3",    "Num_1",    "Num_2",   "Num_3",          "CmdOperation_1",
    "Command2",    "Num_0",    "NumVirg", "CmdOperation_4", "CmdOperation_0",
    "CmdReset",    "blocnote", "Command5"};
constexpr int kChainLength = static_cast<int>(std::size(kTabChain));

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
    // Along the chain with Tab or Shift+Tab, never around its end.
    void tabTo(const char* name) {
        const auto at = [](const QString& n) {
            const auto* it = std::find_if(std::begin(kTabChain), std::end(kTabChain),
                                          [&](const char* c) { return n == QLatin1String(c); });
            return static_cast<int>(it - std::begin(kTabChain));
        };
        const int target = at(QString::fromLatin1(name));
        for (int steps = 0; steps < kChainLength && at(focusName()) != target; ++steps)
            key(at(focusName()) < target ? Qt::Key_Tab : Qt::Key_Backtab);
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
    for (int direction : {1, -1}) {
        QStringList seen;
        for (int i = 0; i < kChainLength; ++i) {
            rig.key(direction > 0 ? Qt::Key_Tab : Qt::Key_Backtab);
            seen << focusName();
        }
        QStringList expected;
        for (int i = 1; i <= kChainLength; ++i)
            expected << QString::fromLatin1(
                kTabChain[(kChainLength + direction * i) % kChainLength]);
        EXPECT_EQ(seen, expected) << (direction > 0 ? "Tab" : "Shift+Tab");
    }
}

TEST(KeyboardOnly, CalculationWithTheKeysAndThenTheKeypad) {
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
}

TEST(KeyboardOnly, F10OpensTheMenuOnItsFirstItem) {
    KeyboardRig rig;
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
    struct AboutOnly final : shell::WindowDirectory {
        std::function<frmAbout*()> make;
        shell::WindowSlot<frmAbout> about{[this] { return make(); }};
        shell::WindowObject* object(shell::WindowKind kind) override {
            return kind == shell::WindowKind::frmAbout ? &about : nullptr;
        }
    } windows;
    MainWindowRig rig(nullptr, nullptr, &windows);
    windows.make = [&rig] {
        return new frmAbout(frmAbout::Services{rig.dialogs, rig.connection, rig.browser,
                                               rig.folder.path(), "https://site.example/"},
                            rig.window.get());
    };
    rig.show();
    rig.window->findChild<QAction*>(QStringLiteral("Apropos"))->trigger();
    QPointer<frmAbout> box = windows.about.ifLoaded();
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
    EXPECT_EQ(rig.browser.opened, std::vector<std::string>{"https://site.example/"});
    EXPECT_TRUE(box->isVisible());
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), "cmdOK");
    key(Qt::Key_Return);
    EXPECT_TRUE(!box || !box->isVisible());
}

TEST(ScreenReaders, MainWindowNamesRolesAndDescriptions) {
    KeyboardRig rig;
    QWidget* w = rig.window.get();
    expectNamed(
        w, {
               {"frmEuros", QAccessible::Window, "Tirelix"},
               {"Picture5", QAccessible::Pane, "Convertisseur"},
               {"Picture3", QAccessible::Pane, "Résultats de la conversion"},
               {"Picture1", QAccessible::Pane, "Calculatrice"},
               {"Picture2", QAccessible::Pane, "Bandeau publicitaire"},
               {"Line1", QAccessible::Separator, ""},
               {"Label6", kNoRole, "Menu", "Touche F10"},
               {"Text1", QAccessible::EditableText, "Montant à convertir",
                "Saisir en Euros ou en Francs"},
               {"Text2", QAccessible::EditableText, "Saisie au clavier",
                "Touches du  pavé numérique Uniquement"},
               {"Command4", QAccessible::Button, "effacer la conversion", "Effacement"},
               {"CmdReset", QAccessible::Button, "effacer", "Ligne suivante"},
               {"Command2", QAccessible::Button, "effacer avec un titre", "Ligne suivante + Texte"},
               {"Command5", QAccessible::Button, "effacer le Ticket Note", "Effacement des notes"},
               {"Image4", QAccessible::Graphic, "Euros Convertisseur"},
               {"Image5", QAccessible::Graphic, "1 Euro = 6.55957 FF"},
               {"Image1", QAccessible::Graphic, "Calculatrice"},
               {"Image2", QAccessible::Graphic, "Pièce d'un euro, site web"},
           });
    EXPECT_EQ(QAccessible::queryAccessibleInterface(rig.window->menu())->text(QAccessible::Name),
              "Menu");
    // Out of sight, out of the reader's way; the anchors of the tour are never shown.
    expectHidden(w, {"Command1", "Etat", "List1", "Picture4", "Picture12"});
    expectEveryShownPartNamed(w);
}

TEST(ScreenReaders, WelcomeWindow) {
    AssistantRig rig(QByteArray("\"0\"\r\n"));
    frmPrem* welcome = rig.welcome();
    ASSERT_NE(welcome, nullptr);
    expectNamed(welcome,
                {
                    {"frmPrem", QAccessible::Window, "Démarrage"},
                    {"lblTitle", kNoRole, "Ecran de démarrage"},
                    {"Text1", kNoRole, "Message de bienvenue"},
                    {"cmdOK", QAccessible::Button, "OK", "Commencer la présentation interactive"},
                    {"Line1_0", QAccessible::Separator, ""},
                });
    expectHidden(welcome, {"picIcon"});
    expectEveryShownPartNamed(welcome);
}

TEST(ScreenReaders, AboutBox) {
    AssistantRig rig;
    rig.main()->findChild<QAction*>(QStringLiteral("Apropos"))->trigger();
    auto* box = qobject_cast<frmAbout*>(rig.program.object(test::WindowKind::frmAbout)->widget());
    ASSERT_NE(box, nullptr);
    expectNamed(box, {
                         {"frmAbout", QAccessible::Dialog, "À propos de Tirelix"},
                         {"lblTitle", kNoRole, "Tirelix"},
                         {"lblVersion", kNoRole, "Version 2.0"},
                         {"lblDescription", kNoRole, "Euros convertisseur + Calculatrice Notes"},
                         {"cmdOK", QAccessible::Button, "OK"},
                         {"Line1_1", QAccessible::Separator, ""},
                     });
    QAccessibleInterface* link = accessible(box, "Label1");
    EXPECT_EQ(link->role(), QAccessible::Link);
    const QString host = box->findChild<QLabel*>(QStringLiteral("Label1"))->text();
    EXPECT_FALSE(host.isEmpty());
    EXPECT_EQ(link->text(QAccessible::Name), QStringLiteral("Site web : ") + host);
    expectHidden(box, {"picIcon"});
    expectEveryShownPartNamed(box);
}

TEST(ScreenReaders, TourWindowsNamedWhateverTheCaptions) {
    AssistantRig rig;
    FrmBulle* bubble = rig.openTour();
    ASSERT_NE(bubble, nullptr);
    FrmTrombonne* clip = rig.paperclip();
    expectNamed(clip, {
                          {"FrmTrombonne", QAccessible::Window, "Assistant"},
                          {"ImgTrombonne", QAccessible::Graphic, "Trombone",
                           "Un clic ouvre la bulle de l'aide"},
                      });
    expectHidden(clip, {"Image1_0", "Image1_1", "Image1_2", "Image1_3"});
    expectEveryShownPartNamed(clip);

    const auto bubbleRows = [&](const char* text) {
        expectNamed(bubble, {
                                {"FrmBulle", QAccessible::Window, "Bulle de l'aide"},
                                {"Label1", kNoRole, text},
                                {"asAssisPopup1", QAccessible::Button, "Retour"},
                                {"asAssisPopup2", QAccessible::Button, "Suite"},
                                {"asAssisPopup3", QAccessible::Button, "Quitter"},
                            });
        expectHidden(bubble, {"Truc1"});
        expectEveryShownPartNamed(bubble);
    };
    bubbleRows("Bonjour, pour commencer l'Aide, cliquez sur le bouton (Suite).");
    // At the end the next button shows "..." and keeps its name.
    for (int i = 0; i < 11; ++i)
        rig.next();
    ASSERT_EQ(rig.caption("asAssisPopup2"), "...");
    bubbleRows("FIN DE L'AIDE.");

    frmTransPicture* arrow = rig.arrow();
    ASSERT_NE(arrow, nullptr);
    expectNamed(arrow, {
                           {"frmTransPicture", QAccessible::Window, "Flèche de l'aide"},
                           {"Picture1", QAccessible::Graphic, "Flèche vers la zone expliquée"},
                       });
    expectEveryShownPartNamed(arrow);
}

} // namespace
