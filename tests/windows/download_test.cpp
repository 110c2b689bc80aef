// The download tick against a real HTTP server on 127.0.0.1.
#include "online_rig.h"

#include <gtest/gtest.h>

using test::OnlineRig;
using test::TestServer;

namespace {

const QByteArray kOldSite = "\"https://old.example/\"\r\n";
const QByteArray kNewSite = "\"https://site.tirelix.example/\"\r\n";

// Online with the banner on, a site file and a banner from an earlier run, larger than what
// the server sends.
struct DownloadRig : OnlineRig {
    DownloadRig() {
        connection.connected = true;
        load(true);
        test::writeBytes(file("Site.eff"), kOldSite);
        QFile::copy(test::assetPath("Pub1.gif"), file("Pub2.gif"));
    }
    void serve(const char* mode, std::optional<QString> siteText = {}, double delay = 1) {
        TestServer::Options o;
        o.mode = mode;
        o.siteText = siteText;
        o.delay = delay;
        OnlineRig::serve(o);
    }
};

QStringList fetchTrace() {
    QStringList lines;
    for (const char* code :
         {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "20", "W1", "30", "35", "W2"})
        lines << QStringLiteral(" Terminée... ") + QLatin1String(code);
    return lines;
}

// Both files replaced (the banner shorter than the one it replaces ends where the new bytes
// end), each transfer traced, the banner timer set; nothing remembers it for the next tick.
TEST(Download, NormalBusyAndRedirectedServers) {
    DownloadRig rig;
    rig.serve("normal");
    rig.timer("Timer1")->setInterval(15000);
    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), kNewSite);
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), test::kTinyGif);
    EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
    EXPECT_EQ(rig.trace(), fetchTrace() + fetchTrace());
    EXPECT_EQ(rig.label("Etat")->text(), "icResponseCompleted");
    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(rig.server->requests().size(), 4);

    // A tick finding the transfer busy sets the banner timer and ends silently; the first goes on.
    rig.serve("slow");
    QSignalSpy ended(rig.window.get(), &frmEuros::downloadEnded);
    rig.window->Timer3_Timer();
    ASSERT_TRUE(rig.window->downloadRunning());
    rig.timer("Timer1")->setInterval(15000);
    const QStringList traced = rig.trace();
    rig.window->Timer3_Timer();
    EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
    EXPECT_EQ(rig.trace(), traced);
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(ended.first().at(0).toBool(), true);

    rig.serve("redirect_http");
    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(rig.server->requests(),
              (QStringList{test::kSitePath, "/moved" + test::kSitePath, test::kBannerPath,
                           "/moved" + test::kBannerPath}));
}

// Hostile servers and a refused text: nothing said (by the window or by Qt), both files left as
// they were, no half-written file, and the next tick tries again. A 404, a reset, a slow answer,
// answers cut short or noise are the soak's; which site texts are refused and the error's state
// text are the core tests'.
TEST(Download, FailingServerLeavesBothFilesAndSaysNothingThenTriesAgain) {
    const struct {
        const char* mode;
        std::optional<QString> siteText;
        const char* etatStart; // a transfer error is traced as state 11
    } cases[] = {
        {"huge_declared", {}, "icError : "},
        {"huge_streamed", {}, "icError : "},
        {"redirect_file", {}, "icError : "},
        {"normal", QStringLiteral("https://a.example/\"x"), "icResponseCompleted"},
    };
    static QStringList qtSaid;
    const auto previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { qtSaid << text; });
    DownloadRig rig;
    const QByteArray oldBanner = test::readBytes(rig.file("Pub2.gif"));
    rig.window->onlineSettings().fetchTimeLimit = 500;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        rig.serve(c.mode, c.siteText, 5);
        {
            EXPECT_EQ(rig.downloadTick(), false);
            EXPECT_EQ(test::readBytes(rig.file("Site.eff")), kOldSite);
            EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), oldBanner);
            EXPECT_TRUE(rig.dialogs.messages.empty());
            // The site file failed: the banner was never asked for.
            EXPECT_EQ(rig.server->requests().filter("Pub.gif"), QStringList());
            EXPECT_EQ(rig.trace().last() == " Terminée... 11", !c.siteText);
            EXPECT_TRUE(rig.label("Etat")->text().startsWith(QString::fromUtf8(c.etatStart)))
                << rig.label("Etat")->text().toStdString();
        }
        EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files),
                  (QStringList{"Pub.eff", "Pub2.gif", "Site.eff"}));
    }
    // The banner missing: the new site file stays, and the old banner.
    rig.serve("banner_missing");
    EXPECT_EQ(rig.downloadTick(), false);
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), kNewSite);
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), oldBanner);
    // Each failed transfer was finished once: Qt had nothing to say on standard error.
    qInstallMessageHandler(previous);
    EXPECT_EQ(qtSaid.join('|').toStdString(), "");
}

// Switched off or offline, a tick fetches nothing: the banner timelines and the soak's hours
// offline and switched off; the switch written at once is the program tests'. The trace list's
// bound is the soak's.

} // namespace
