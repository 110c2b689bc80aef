// The coin and the about box's link, the about box itself, and the hand pointer.
#include "online_rig.h"
#include "platform/hand_pointer.h"

#include <QPushButton>
#include <gtest/gtest.h>

using test::AboutRig;
using test::OnlineRig;

namespace {

// Two different points, so that each call is a movement.
void moveOver(QWidget* widget, QPoint at = {}) {
    const QPoint p = at.isNull() ? widget->rect().center() : at;
    QTest::mouseMove(widget, p + QPoint(1, 0));
    QTest::mouseMove(widget, p);
}

// The coin opens the site file's address, else the maker's, also in place of an address that
// is not http or https (the rule is the core tests'); offline it says so, over every window.
TEST(Coin, OpensTheSiteOrSaysThereIsNoConnection) {
    for (const auto& [site, connected, opened] :
         {std::tuple{"https://b.example/", true, "https://b.example/"},
          {"", true, "https://tirelix.example/"},
          {"www.b.example", true, "https://tirelix.example/"},
          {"javascript:alert(1)", true, "https://tirelix.example/"},
          {"", false, ""}}) {
        OnlineRig rig;
        rig.load(false);
        rig.window->onlineSettings().defaultSiteAddress = "https://tirelix.example/";
        rig.window->SiteAddress = site;
        rig.connection.connected = connected;
        QTest::mouseClick(rig.label("Image2"), Qt::LeftButton);
        EXPECT_EQ(rig.browser.opened,
                  *opened ? std::vector<std::string>{opened} : std::vector<std::string>{});
        ASSERT_EQ(rig.dialogs.messages.size(), connected ? 0u : 1u);
        EXPECT_TRUE(connected || rig.dialogs.messages[0].systemModal);
    }
}

// The coin shows the hand only when connected, asking at every movement; its surroundings
// restore the arrow, a playing banner keeps the hand, pressing on "Ticket Note" restores it.
TEST(MainWindowHover, CoinShowsTheHandOnlyWhenConnectedAndItsSurroundingsRestoreTheArrow) {
    AboutRig rig;
    rig.load(false);
    QLabel* coin = rig.label("Image2");
    const auto hand = [&] { return ui::HandPointerShown(*rig.window); };
    moveOver(coin);
    EXPECT_FALSE(hand());
    EXPECT_TRUE(coin->toolTip().isEmpty());
    rig.connection.connected = true;
    rig.connection.asked = 0;
    moveOver(coin);
    EXPECT_TRUE(hand());
    EXPECT_EQ(coin->toolTip(), "Connexion...");
    EXPECT_EQ(rig.connection.asked, 2);
    // The icon's hand with its fingertip, over every control, the text boxes' own pointers too.
    EXPECT_EQ(rig.box("Text1")->cursor().hotSpot(), QPoint(11, 1));

    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub1.gif"));
    rig.window->Timer1_Timer();
    const std::tuple<const char*, QPoint, bool> restores[] = {
        {"Picture1", {}, true},         {"Image4", {}, true},   {"Label6", {}, true},
        {"Francs", {}, true},           {"blocnote", {}, true}, {"Picture2", {70, 30}, true},
        {"frmEuros", {200, 286}, true}, {"Text1", {}, false},   {"Num_5", {}, false},
        {"Command4", {}, false},        {"Label2", {}, false},  {"Gif89a1", {}, false}};
    for (const auto& [name, at, restoring] : restores) {
        moveOver(coin);
        moveOver(name == std::string("frmEuros") ? rig.window.get() : rig.find<QWidget>(name), at);
        EXPECT_EQ(hand(), !restoring) << name;
    }
    moveOver(coin);
    QTest::mousePress(rig.label("Label2"), Qt::LeftButton);
    EXPECT_FALSE(hand());
    EXPECT_EQ(rig.box("Text1")->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseRelease(rig.label("Label2"), Qt::LeftButton);
    // Once set, the tooltip stays after the connection has gone; the hand no longer comes.
    rig.connection.connected = false;
    moveOver(coin);
    EXPECT_FALSE(hand());
    EXPECT_EQ(coin->toolTip(), "Connexion...");
}

// Modeless and once: the main window stays usable, the menu brings the same box forward. Its
// link is drawn whole, at scale 2 too (a test of its own): a row of blue, the underline, runs
// under the whole host name, and the descenders reach below it.
TEST(AboutBox, ModelessOnceItsLinkDrawnWholeAndClosed) {
    AboutRig rig;
    rig.load(false);
    frmAbout* box = rig.openAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    auto* label = box->findChild<QLabel*>("Label1");
    EXPECT_EQ(label->text(), "tirelix.example");
    const QImage drawn = label->grab().toImage();
    int longestBlueRow = 0, underline = -1, lowestInk = -1;
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        const int blue = static_cast<int>(
            std::count_if(row, row + drawn.width(), [](QRgb p) { return qRgb(0, 0, 255) == p; }));
        underline = blue > longestBlueRow ? y : underline;
        longestBlueRow = std::max(longestBlueRow, blue);
        lowestInk = blue > 0 ? y : lowestInk;
    }
    EXPECT_GE(longestBlueRow, QFontMetrics(label->font()).horizontalAdvance(label->text()) *
                                  drawn.devicePixelRatio() * 9 / 10);
    EXPECT_GT(lowestInk, underline); // the tail of the "p"
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    rig.clickKeys({"Num_4", "CmdOperation_0", "Num_2", "CmdOperation_4"});
    EXPECT_EQ(rig.text("TextChiffre"), "6");
    EXPECT_EQ(rig.openAbout(), box);
    EXPECT_EQ(rig.window->findChildren<frmAbout*>().size(), 1);
    // Escape and the close box unload it (Return and OK are the keyboard and end-to-end tests').
    box->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
    QTest::keyClick(box, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(rig.about.isLoaded());
    rig.openAbout()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(rig.about.isLoaded());
}

// The link is reached with Tab and followed with Space or Return, or clicked; offline it says
// so; connected it gives the hand, in its own window only.
TEST(AboutBox, LinkOpensTheMakersSiteByKeyboardOrMouseWhenConnected) {
    AboutRig rig;
    rig.load(false);
    frmAbout* box = rig.openAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    // Keys go where the box keeps its focus, whether or not the platform made it active.
    const auto key = [&](Qt::Key k) { QTest::keyClick(box->focusWidget(), k); };
    QLabel* link = box->findChild<QLabel*>("Label1");
    ASSERT_EQ(box->focusWidget()->objectName(), "cmdOK");
    key(Qt::Key_Tab);
    ASSERT_EQ(box->focusWidget(), link);
    key(Qt::Key_Space);
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
    moveOver(link);
    EXPECT_FALSE(ui::HandPointerShown(*box));
    rig.connection.connected = true;
    key(Qt::Key_Return);
    moveOver(link);
    EXPECT_TRUE(ui::HandPointerShown(*box));
    EXPECT_EQ(link->toolTip(), "Connexion...");
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(rig.browser.opened, (std::vector<std::string>{test::kSite, test::kSite}));
    EXPECT_TRUE(box->isVisible());
}

} // namespace
