// The coin and the about box's link, the about box itself, and the hand pointer.
#include "online_rig.h"
#include "platform/hand_pointer.h"
#include "platform/qt_online.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>
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

void expectOfflineMessage(const std::vector<ui::Message>& messages) {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Vous n'êtes pas connecté à Internet !!!");
    EXPECT_TRUE(messages[0].systemModal);
}

// The coin opens the site file's address, else the maker's; offline it says so; an address that
// is not http or https is never opened.
TEST(Coin, OpensTheSiteOrSaysThereIsNoConnection) {
    const struct {
        std::string siteAddress;
        bool connected;
        const char* opened; // nullptr: nothing
        std::string siteAddressAfter;
    } cases[] = {
        {"https://b.example/", true, "https://b.example/", "https://b.example/"},
        {"", true, "https://tirelix.example/", "https://tirelix.example/"},
        {"", false, nullptr, "https://tirelix.example/"},
        {"file:///etc/passwd", true, nullptr, "file:///etc/passwd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.siteAddress);
        OnlineRig rig;
        rig.load(false);
        rig.window->onlineSettings().defaultSiteAddress = "https://tirelix.example/";
        rig.window->SiteAddress = c.siteAddress;
        rig.connection.connected = c.connected;
        QTest::mouseClick(rig.label("Image2"), Qt::LeftButton);
        EXPECT_EQ(rig.browser.opened,
                  c.opened ? std::vector<std::string>{c.opened} : std::vector<std::string>{});
        if (!c.connected) {
            expectOfflineMessage(rig.dialogs.messages);
        } else {
            EXPECT_TRUE(rig.dialogs.messages.empty());
        }
        EXPECT_EQ(rig.window->SiteAddress, c.siteAddressAfter);
    }
}

// Stands in for the desktop's handlers of every scheme.
class UrlCatcher final : public QObject {
    Q_OBJECT
  public:
    QStringList caught;
    Q_INVOKABLE void open(const QUrl& url) { caught << url.toString(); }
};

TEST(WebBrowser, HandsOnlyHttpAndHttpsToTheDesktop) {
    UrlCatcher catcher;
    const char* schemes[] = {"http", "https", "file", "ftp", "javascript", "mailto", "data"};
    for (const char* scheme : schemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    ui::QtWebBrowser browser;
    for (const char* address :
         {"https://tirelix.example/", "http://127.0.0.1:8/x", "file:///etc/passwd",
          "ftp://tirelix.example/", "javascript:alert(1)", "mailto:a@b.example", "data:text/html,x",
          "https://", "https://a.example/ x"})
        browser.open(address);
    for (const char* scheme : schemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    EXPECT_EQ(catcher.caught, (QStringList{"https://tirelix.example/", "http://127.0.0.1:8/x"}));
}

TEST(HandPointer, TheIconsHandWithItsFingertipOrTheArrowWithoutTheFile) {
    for (const bool withIcon : {true, false}) {
        OnlineRig rig;
        if (withIcon)
            QFile::copy(test::assetPath("MainTacheG.ico"), rig.file("MainTacheG.ico"));
        rig.load(false);
        rig.connection.connected = true;
        rig.window->Image2_MouseMove();
        EXPECT_TRUE(ui::HandPointerShown(*rig.window));
        const QCursor cursor = rig.window->cursor();
        if (withIcon) {
            EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
            EXPECT_EQ(cursor.hotSpot(), QPoint(11, 1));
        } else {
            EXPECT_EQ(cursor.shape(), Qt::ArrowCursor);
        }
        // Over every control, the text boxes' own pointers included, until it is restored.
        EXPECT_EQ(rig.box("Text1")->cursor().shape(), cursor.shape());
        ui::RestoreDefaultPointer(*rig.window);
        EXPECT_EQ(rig.box("Text1")->cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(rig.box("Francs")->cursor().shape(), Qt::ArrowCursor);
    }
}

TEST(MainWindowHover, CoinShowsTheHandOnlyWhenConnectedAndItsSurroundingsRestoreTheArrow) {
    AboutRig rig;
    rig.load(false);
    QLabel* coin = rig.label("Image2");
    moveOver(coin);
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    EXPECT_TRUE(coin->toolTip().isEmpty());

    rig.connection.connected = true;
    rig.connection.asked = 0;
    moveOver(coin);
    EXPECT_TRUE(ui::HandPointerShown(*rig.window));
    EXPECT_EQ(coin->toolTip(), "Connexion...");
    EXPECT_EQ(rig.connection.asked, 2); // asked again at every movement

    const std::pair<const char*, bool> restores[] = {
        {"Picture1", true}, {"Image4", true},  {"Label6", true}, {"Francs", true},
        {"blocnote", true}, {"Text1", false},  {"Num_5", false}, {"Command4", false},
        {"Image3", false},  {"Label2", false},
    };
    for (const auto& [name, restoring] : restores) {
        moveOver(coin);
        ASSERT_TRUE(ui::HandPointerShown(*rig.window));
        moveOver(rig.find<QWidget>(name));
        EXPECT_EQ(ui::HandPointerShown(*rig.window), !restoring) << name;
    }
    // The strip's bare area beside the coin, and the window's own background.
    moveOver(coin);
    moveOver(rig.find<QWidget>("Picture2"), QPoint(70, 30));
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    moveOver(coin);
    moveOver(rig.window.get(), QPoint(200, 286));
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    // Pressing on "Ticket Note" restores it; moving over it did not.
    moveOver(coin);
    QTest::mousePress(rig.label("Label2"), Qt::LeftButton);
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    QTest::mouseRelease(rig.label("Label2"), Qt::LeftButton);
    // A playing banner keeps it.
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub1.gif"));
    rig.window->Timer1_Timer();
    ASSERT_TRUE(rig.label("Gif89a1")->isVisible());
    moveOver(coin);
    moveOver(rig.label("Gif89a1"));
    EXPECT_TRUE(ui::HandPointerShown(*rig.window));
    // Once set, the tooltip stays after the connection has gone; the hand no longer comes.
    ui::RestoreDefaultPointer(*rig.window);
    rig.connection.connected = false;
    moveOver(coin);
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    EXPECT_EQ(coin->toolTip(), "Connexion...");
}

// The link is drawn whole: a row of blue, the underline, runs under the whole host name.
TEST(AboutBox, ModelessOnceAndItsLinkDrawnWhole) {
    AboutRig rig;
    rig.load(false);
    frmAbout* box = rig.openAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    auto* label = box->findChild<QLabel*>("Label1");
    EXPECT_EQ(label->text(), "site.tirelix.example");
    const QImage drawn = label->grab().toImage();
    const int textWidth =
        std::min(label->width() - 2, QFontMetrics(label->font()).horizontalAdvance(label->text()));
    int longestBlueRow = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        int blue = 0;
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor c = drawn.pixelColor(x, y);
            blue += c.blue() > 128 && c.red() < 100 && c.green() < 100;
        }
        longestBlueRow = std::max(longestBlueRow, blue);
    }
    EXPECT_GE(longestBlueRow, textWidth * 9 / 10);

    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The main window stays usable, and the menu brings the same box forward.
    rig.clickKeys({"Num_4", "CmdOperation_0", "Num_2", "CmdOperation_4"});
    EXPECT_EQ(rig.text("TextChiffre"), "6");
    EXPECT_EQ(rig.openAbout(), box);
    EXPECT_EQ(rig.window->findChildren<frmAbout*>().size(), 1);
}

TEST(AboutBox, OkEnterEscapeAndTheCloseBoxCloseIt) {
    const std::function<void(frmAbout*)> closers[] = {
        [](frmAbout* b) { QTest::mouseClick(b->findChild<QPushButton*>("cmdOK"), Qt::LeftButton); },
        [](frmAbout* b) { QTest::keyClick(b, Qt::Key_Return); },
        [](frmAbout* b) { QTest::keyClick(b, Qt::Key_Enter); },
        [](frmAbout* b) { QTest::keyClick(b, Qt::Key_Escape); },
        [](frmAbout* b) { b->close(); },
    };
    for (const auto& closeIt : closers) {
        AboutRig rig;
        rig.load(false);
        frmAbout* box = rig.openAbout();
        box->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        closeIt(box);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(rig.about.isLoaded());
        EXPECT_TRUE(rig.window->isVisible());
    }
}

TEST(AboutBox, LinkOpensTheMakersSiteWhenConnectedAndShowsTheHand) {
    AboutRig rig;
    rig.load(false);
    frmAbout* box = rig.openAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    auto over = [&](const char* name) { moveOver(box->findChild<QWidget*>(name)); };
    auto hand = [&] { return ui::HandPointerShown(*box); };
    QLabel* link = box->findChild<QLabel*>("Label1");

    // OK gives the hand whether or not a connection is up; the link only when connected.
    over("cmdOK");
    over("lblTitle");
    EXPECT_TRUE(hand());
    over("lblDescription");
    EXPECT_FALSE(hand());
    over("Label1");
    EXPECT_FALSE(hand());
    EXPECT_TRUE(link->toolTip().isEmpty());
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_TRUE(rig.browser.opened.empty());
    expectOfflineMessage(rig.dialogs.messages);

    rig.connection.connected = true;
    over("Label1");
    EXPECT_TRUE(hand());
    EXPECT_EQ(link->toolTip(), "Connexion...");
    EXPECT_FALSE(ui::HandPointerShown(*rig.window)); // each window has its own setting
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(rig.browser.opened, std::vector<std::string>{test::kSite});
    EXPECT_TRUE(box->isVisible());
}

} // namespace

#include "links_test.moc"
