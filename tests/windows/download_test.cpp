// The download tick against a real HTTP server on 127.0.0.1.
#include "online_rig.h"

#include <QAction>
#include <QTemporaryFile>
#include <gtest/gtest.h>

using test::OnlineRig;
using test::TestServer;

namespace {

const QByteArray kOldSite = "\"https://old.example/\"\r\n";

// A site file and a banner from an earlier run, larger than what the server sends.
void seedOldFiles(OnlineRig& rig) {
    test::writeBytes(rig.file("Site.eff"), kOldSite);
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub2.gif"));
}

QStringList fetchTrace() {
    QStringList lines;
    for (const char* code :
         {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "20", "W1", "30", "35", "W2"})
        lines << QStringLiteral(" Terminée... ") + QLatin1String(code);
    return lines;
}

class Download : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bannerFile.open());
        bannerFile.write(test::kTinyGif);
        bannerFile.flush();
        rig.connection.connected = true;
        rig.load(true);
        seedOldFiles(rig);
    }
    void useServer(TestServer& server) {
        ASSERT_TRUE(server.running());
        rig.window->onlineSettings().downloadHost = server.host();
    }
    TestServer::Options options(const char* mode) {
        TestServer::Options o;
        o.mode = QString::fromLatin1(mode);
        o.bannerFile = bannerFile.fileName();
        return o;
    }

    QTemporaryFile bannerFile;
    OnlineRig rig;
};

TEST_F(Download, NormalServerReplacesBothFilesAndTracesEachTransfer) {
    TestServer server(options("normal"));
    useServer(server);
    rig.find<ui::Timer>("Timer1")->setInterval(15000);

    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), "\"https://site.tirelix.example/\"\r\n");
    // Shorter than the banner it replaces: the file ends where the new bytes end.
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), test::kTinyGif);
    EXPECT_EQ(server.requests(), (QStringList{test::kSitePath, test::kBannerPath}));
    EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
    EXPECT_EQ(rig.trace(), fetchTrace() + fetchTrace());
    EXPECT_EQ(rig.etat(), "icResponseCompleted");
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // Nothing remembers it: the next tick fetches both again.
    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(server.requests().size(), 4);
    EXPECT_EQ(rig.trace().size(), 4 * fetchTrace().size());
}

TEST_F(Download, RedirectWithinHttpIsFollowed) {
    TestServer server(options("redirect_http"));
    useServer(server);
    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), test::kTinyGif);
    EXPECT_EQ(server.requests(), (QStringList{test::kSitePath, "/moved" + test::kSitePath,
                                              test::kBannerPath, "/moved" + test::kBannerPath}));
}

// Failing and hostile servers: nothing said, both files left as they were, no half-written file,
// and the next tick tries again.
TEST_F(Download, FailingServerLeavesBothFilesAndSaysNothingThenTriesAgain) {
    const struct {
        const char* mode;
        std::optional<QString> siteText;
        // Whether the transfer itself failed (state 11), rather than the text it brought.
        bool transferError;
        const char* etatStart;
    } cases[] = {
        {"not_found", std::nullopt, true, "icError : 404:Not Found"},
        {"reset", std::nullopt, true, "icError : "},
        {"huge_declared", std::nullopt, true, "icError : "},
        {"huge_streamed", std::nullopt, true, "icError : "},
        {"redirect_file", std::nullopt, true, "icError : "},
        {"slow", std::nullopt, true, "icError : 4:Délai dépassé"},
        {"normal", QStringLiteral("https://a.example/\"x"), false, "icResponseCompleted"},
        {"normal", QStringLiteral("https://a.example/\nhttps://b"), false, "icResponseCompleted"},
    };
    const QByteArray oldBanner = test::readBytes(rig.file("Pub2.gif"));
    rig.window->onlineSettings().fetchTimeLimit = 500;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        auto o = options(c.mode);
        o.siteText = c.siteText;
        o.delay = 5;
        TestServer server(o);
        useServer(server);
        for (int tick = 1; tick <= 2; ++tick) {
            EXPECT_EQ(rig.downloadTick(), false) << tick;
            EXPECT_EQ(test::readBytes(rig.file("Site.eff")), kOldSite);
            EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), oldBanner);
            EXPECT_TRUE(rig.dialogs.messages.empty());
            EXPECT_FALSE(rig.label("Gif89a1")->isVisible());
            EXPECT_FALSE(rig.window->downloadRunning());
            // The site file failed: the banner was never asked for.
            const QStringList requests = server.requests();
            ASSERT_FALSE(requests.isEmpty());
            EXPECT_FALSE(requests.contains(test::kBannerPath)) << requests.join(' ').toStdString();
            EXPECT_EQ(rig.trace().last() == " Terminée... 11", c.transferError);
            EXPECT_TRUE(rig.etat().startsWith(QString::fromUtf8(c.etatStart)))
                << rig.etat().toStdString();
        }
        EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files),
                  (QStringList{"Pub.eff", "Pub2.gif", "Site.eff"}));
    }
}

// The banner missing: the new site file stays, and the old banner.
TEST_F(Download, MissingBannerLeavesTheOldOne) {
    const QByteArray oldBanner = test::readBytes(rig.file("Pub2.gif"));
    TestServer server(options("banner_missing"));
    useServer(server);
    EXPECT_EQ(rig.downloadTick(), false);
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), "\"https://site.tirelix.example/\"\r\n");
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), oldBanner);
}

TEST_F(Download, TickFindingTheTransferBusySetsTheBannerTimerAndEndsSilently) {
    auto o = options("slow");
    o.delay = 1.0;
    TestServer server(o);
    useServer(server);
    QSignalSpy ended(rig.window.get(), &frmEuros::downloadEnded);
    rig.window->Timer3_Timer();
    ASSERT_TRUE(rig.window->downloadRunning());

    rig.timer("Timer1")->setInterval(15000);
    const int traced = static_cast<int>(rig.trace().size());
    rig.window->Timer3_Timer();
    EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
    EXPECT_EQ(rig.trace().size(), traced);
    EXPECT_TRUE(ended.isEmpty());

    // The first tick goes on undisturbed.
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(ended.first().at(0).toBool(), true);
    EXPECT_EQ(server.requests(), (QStringList{test::kSitePath, test::kBannerPath}));
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), test::kTinyGif);
}

struct QuietCase {
    bool pub;
    bool connected;
    int timer1After;
    int asked;
};

TEST_F(Download, BannerSwitchedOffOrOfflineFetchesNothing) {
    TestServer server(options("normal"));
    useServer(server);
    const QuietCase cases[] = {
        {false, true, 15000, 0}, {false, false, 15000, 0}, {true, false, 3000, 1}};
    QAction* pub = rig.window->findChild<QAction*>("Pub");
    for (const auto& c : cases) {
        // The menu item flips the switch and its mark, and writes it at once.
        if (rig.window->PubActive != c.pub)
            pub->trigger();
        EXPECT_EQ(pub->isChecked(), c.pub);
        EXPECT_EQ(test::readBytes(rig.file("Pub.eff")), c.pub ? "\"1\"\r\n" : "\"0\"\r\n");
        rig.connection.connected = c.connected;
        rig.connection.asked = 0;
        rig.timer("Timer1")->setInterval(3000);
        EXPECT_EQ(rig.downloadTick(), std::nullopt);
        EXPECT_EQ(rig.timer("Timer1")->interval(), c.timer1After);
        EXPECT_EQ(rig.connection.asked, c.asked);
    }
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(rig.trace().isEmpty());
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), kOldSite);
}

TEST(DownloadTrace, ListKeepsTheNewestThousandLines) {
    OnlineRig rig;
    rig.load(false);
    rig.window->Inet1_StateChanged(2);
    for (int i = 0; i < 1004; ++i)
        rig.window->Inet1_StateChanged(1);
    rig.window->Inet1_StateChanged(3);
    const QStringList lines = rig.trace();
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines.first(), " Terminée... 01");
    EXPECT_EQ(lines.last(), " Terminée... 03");
    EXPECT_EQ(rig.etat(), "En cours de connexion avec l'ordinateur hôte.");
}

} // namespace
