// The coin and the about box's link, the about box itself, and the hand pointer.
#include "app/program.h"
#include "online_rig.h"
#include "platform/hand_pointer.h"
#include "platform/qt_online.h"
#include "windows/frm_about.h"
#include "windows/window_slot.h"

#include <QAction>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

using test::OnlineRig;

namespace {

constexpr const char* kSite = "https://site.tirelix.example/page";

// The about box's window object, built over the rig's fakes.
struct AboutDirectory final : shell::WindowDirectory {
    std::function<frmAbout*()> make;
    shell::WindowSlot<frmAbout> about{[this] { return make(); }};
    shell::WindowObject* object(shell::WindowKind kind) override {
        return kind == shell::WindowKind::frmAbout ? &about : nullptr;
    }
};

struct LinksRig {
    AboutDirectory windows;
    OnlineRig rig{nullptr, nullptr, &windows};

    LinksRig() {
        windows.make = [this] {
            return new frmAbout(frmAbout::Services{rig.dialogs, rig.connection, rig.browser,
                                                   rig.folder.path(), kSite},
                                rig.window.get());
        };
        QFile::copy(test::assetPath("MainTacheG.ico"), rig.file("MainTacheG.ico"));
        rig.load(false);
    }
    frmAbout* openAbout() {
        rig.window->findChild<QAction*>("Apropos")->trigger();
        frmAbout* box = windows.about.ifLoaded();
        // The offscreen platform sends a movement to the first window under the point: the
        // box must not lie over the main window.
        if (box)
            box->move(rig.window->frameGeometry().right() + 40, 40);
        return box;
    }
};

// Two different points, so that each call is a movement.
void moveOver(QWidget* widget, QPoint at = {}) {
    const QPoint p = at.isNull() ? widget->rect().center() : at;
    QTest::mouseMove(widget, p + QPoint(1, 0));
    QTest::mouseMove(widget, p);
}

const ui::Message kOffline{"Vous n'êtes pas connecté à Internet !!!", "INFORMATION...",
                           ui::Buttons::Ok, ui::Icon::Information, true};

void expectOfflineMessage(const std::vector<ui::Message>& messages) {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kOffline.text);
    EXPECT_EQ(messages[0].title, kOffline.title);
    EXPECT_EQ(messages[0].icon, kOffline.icon);
    EXPECT_EQ(messages[0].buttons, kOffline.buttons);
    EXPECT_TRUE(messages[0].systemModal);
}

struct CoinCase {
    const char* name;
    std::string siteAddress;
    bool connected;
    std::vector<std::string> opened;
    bool message;
    std::string siteAddressAfter;
};

class CoinClick : public ::testing::TestWithParam<CoinCase> {};

TEST_P(CoinClick, OpensTheSiteOrSaysThereIsNoConnection) {
    const CoinCase& c = GetParam();
    OnlineRig rig;
    rig.load(false);
    rig.window->onlineSettings().defaultSiteAddress = "https://tirelix.example/";
    rig.window->SiteAddress = c.siteAddress;
    rig.connection.connected = c.connected;
    QTest::mouseClick(rig.label("Image2"), Qt::LeftButton);
    EXPECT_EQ(rig.browser.opened, c.opened);
    if (c.message) {
        expectOfflineMessage(rig.dialogs.messages);
    } else {
        EXPECT_TRUE(rig.dialogs.messages.empty());
    }
    EXPECT_EQ(rig.window->SiteAddress, c.siteAddressAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Coin, CoinClick,
    ::testing::Values(
        CoinCase{"OnlineOpensSiteFileAddress",
                 "https://b.example/",
                 true,
                 {"https://b.example/"},
                 false,
                 "https://b.example/"},
        CoinCase{"OnlineEmptyOpensTheMakers",
                 "",
                 true,
                 {"https://tirelix.example/"},
                 false,
                 "https://tirelix.example/"},
        CoinCase{"OfflineSaysSoAndStillFillsTheAddress",
                 "",
                 false,
                 {},
                 true,
                 "https://tirelix.example/"},
        CoinCase{
            "OfflineWithAnAddress", "https://b.example/", false, {}, true, "https://b.example/"},
        CoinCase{"FileAddressRefused", "file:///etc/passwd", true, {}, false, "file:///etc/passwd"},
        CoinCase{
            "ScriptAddressRefused", "javascript:alert(1)", true, {}, false, "javascript:alert(1)"},
        CoinCase{"NoSchemeRefused", "tirelix.example", true, {}, false, "tirelix.example"}),
    [](const auto& info) { return std::string(info.param.name); });

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
            EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        } else {
            EXPECT_EQ(cursor.shape(), Qt::ArrowCursor);
        }
        // Over every control, the text boxes' own pointers included, until it is restored.
        EXPECT_EQ(rig.box("Text1")->cursor().shape(), cursor.shape());
        ui::RestoreDefaultPointer(*rig.window);
        EXPECT_EQ(rig.box("Text1")->cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(rig.box("Francs")->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(rig.window->cursor().shape(), Qt::ArrowCursor);
    }
}

struct HoverCase {
    const char* element;
    bool restores;
};

TEST(MainWindowHover, CoinShowsTheHandOnlyWhenConnectedAndItsSurroundingsRestoreTheArrow) {
    LinksRig l;
    OnlineRig& rig = l.rig;
    QLabel* coin = rig.label("Image2");
    moveOver(coin);
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    EXPECT_TRUE(coin->toolTip().isEmpty());

    rig.connection.connected = true;
    rig.connection.asked = 0;
    moveOver(coin);
    EXPECT_TRUE(ui::HandPointerShown(*rig.window));
    EXPECT_EQ(coin->toolTip(), "Connexion...");
    // Asked again at every movement.
    EXPECT_EQ(rig.connection.asked, 2);

    const HoverCase cases[] = {
        {"Picture1", true}, {"Picture5", true},        {"Image1", true},    {"Image4", true},
        {"Label6", true},   {"TextChiffre", true},     {"Euros", true},     {"Francs", true},
        {"Command5", true}, {"blocnote", true},        {"Text1", false},    {"Text2", false},
        {"Num_5", false},   {"CmdOperation_4", false}, {"Command4", false}, {"Image3", false},
        {"Image5", false},  {"Label2", false},
    };
    for (const auto& c : cases) {
        moveOver(coin);
        ASSERT_TRUE(ui::HandPointerShown(*rig.window));
        QWidget* element = rig.find<QWidget>(c.element);
        ASSERT_NE(element, nullptr) << c.element;
        moveOver(element);
        EXPECT_EQ(ui::HandPointerShown(*rig.window), !c.restores) << c.element;
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

    // Once set, the tooltip stays after the connection has gone; the hand no longer comes.
    rig.connection.connected = false;
    moveOver(coin);
    EXPECT_FALSE(ui::HandPointerShown(*rig.window));
    EXPECT_EQ(coin->toolTip(), "Connexion...");
}

TEST(MainWindowHover, PlayingBannerKeepsTheHand) {
    LinksRig l;
    OnlineRig& rig = l.rig;
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub1.gif"));
    rig.window->Timer1_Timer();
    ASSERT_TRUE(rig.label("Gif89a1")->isVisible());
    rig.connection.connected = true;
    moveOver(rig.label("Image2"));
    moveOver(rig.label("Gif89a1"));
    EXPECT_TRUE(ui::HandPointerShown(*rig.window));
}

TEST(AboutBox, ShowsNameDescriptionVersionAndTheSitesHost) {
    LinksRig l;
    frmAbout* box = l.openAbout();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), "À propos de Tirelix");
    EXPECT_EQ(box->size(), QSize(382, 167));
    auto text = [&](const char* name) { return box->findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(text("lblTitle"), "Tirelix");
    EXPECT_TRUE(box->findChild<QLabel*>("lblTitle")->font().bold());
    EXPECT_EQ(text("lblDescription"), "Euros convertisseur + Calculatrice Notes");
    EXPECT_EQ(text("lblVersion"), "Version 2.0");
    EXPECT_EQ(text("Label1"), "site.tirelix.example");
    auto* label = box->findChild<QLabel*>("Label1");
    EXPECT_TRUE(label->font().bold() && label->font().underline());
    // Drawn whole in its box: a row of blue, the underline, runs under the whole text.
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
    EXPECT_EQ(box->findChild<QPushButton*>("cmdOK")->text(), "OK");
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMinMaxButtonsHint);
}

TEST(AboutBox, ModelessAndBroughtForwardRatherThanOpenedTwice) {
    LinksRig l;
    frmAbout* box = l.openAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The main window stays usable.
    l.rig.clickKeys({"Num_4", "CmdOperation_0", "Num_2", "CmdOperation_4"});
    EXPECT_EQ(l.rig.text("TextChiffre"), "6");
    EXPECT_EQ(l.openAbout(), box);
    EXPECT_EQ(l.rig.window->findChildren<frmAbout*>().size(), 1);
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
        LinksRig l;
        frmAbout* box = l.openAbout();
        box->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        closeIt(box);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(l.windows.about.isLoaded());
        EXPECT_TRUE(l.rig.window->isVisible());
    }
}

TEST(AboutBox, LinkOpensTheMakersSiteWhenConnected) {
    for (const bool connected : {false, true}) {
        LinksRig l;
        l.rig.connection.connected = connected;
        frmAbout* box = l.openAbout();
        QTest::mouseClick(box->findChild<QLabel*>("Label1"), Qt::LeftButton);
        if (connected) {
            EXPECT_EQ(l.rig.browser.opened, std::vector<std::string>{kSite});
            EXPECT_TRUE(l.rig.dialogs.messages.empty());
        } else {
            EXPECT_TRUE(l.rig.browser.opened.empty());
            expectOfflineMessage(l.rig.dialogs.messages);
        }
        EXPECT_TRUE(box->isVisible());
    }
}

TEST(AboutBox, PointerFeedback) {
    LinksRig l;
    frmAbout* box = l.openAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    auto over = [&](const char* name) { moveOver(box->findChild<QWidget*>(name)); };
    auto hand = [&] { return ui::HandPointerShown(*box); };
    QLabel* link = box->findChild<QLabel*>("Label1");

    // OK gives the hand whether or not a connection is up; the link only when connected.
    over("cmdOK");
    EXPECT_TRUE(hand());
    over("lblTitle");
    over("lblVersion");
    over("picIcon");
    EXPECT_TRUE(hand());
    over("lblDescription");
    EXPECT_FALSE(hand());
    over("Label1");
    EXPECT_FALSE(hand());
    EXPECT_TRUE(link->toolTip().isEmpty());
    over("cmdOK");
    moveOver(box, QPoint(20, 110));
    EXPECT_FALSE(hand());

    l.rig.connection.connected = true;
    over("Label1");
    EXPECT_TRUE(hand());
    EXPECT_EQ(link->toolTip(), "Connexion...");
    // Each window has its own setting.
    EXPECT_FALSE(ui::HandPointerShown(*l.rig.window));
}

TEST(AboutBox, ClosedWithTheMainWindowOfTheProgram) {
    // A session of its own, so that a program started by a test running beside this one does
    // not count as already running.
    // Static: the session's lock is let go only when the process ends.
    static QTemporaryDir session;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(session.path()));
    Program program;
    ASSERT_TRUE(program.start());
    program.mainWindow()->Apropos_Click();
    shell::WindowObject* about = program.object(shell::WindowKind::frmAbout);
    ASSERT_TRUE(about->isLoaded());
    EXPECT_EQ(about->widget()->windowTitle(), "À propos de Tirelix");
    program.mainWindow()->close();
    EXPECT_FALSE(about->isLoaded());
    if (runtime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", runtime);
}

} // namespace

#include "links_test.moc"
