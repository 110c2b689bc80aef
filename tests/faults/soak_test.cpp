// A whole day of the online part, its timers run in virtual time against a download server
// that now and then answers slowly, resets, says 404, cuts its answers short or sends noise.
// The files stay whole, the banner keeps playing, and the trace, the open files, the objects
// and the memory stay bounded.
#include "core/state_file.h"
#include "fault_rig.h"
#include "gif_maker.h"
#include "virtual_clock.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

constexpr int kHour = 3600 * 1000;
constexpr int kDay = 24 * kHour;
// Ticks before the figures are first taken: the network stack has set itself up by then.
constexpr int kWarmUpTicks = 200;
constexpr const char* kServedAddress = "https://site.tirelix.example/";

struct Figures {
    int openFiles;
    qsizetype objects;
    long rssKb;
};

Figures figures(const test::OnlineRig& rig) {
    // Replies end with deleteLater: let those deletions happen first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return {test::OpenFileCount(), rig.window->findChildren<QObject*>().size(),
            test::StatusKb("VmRSS")};
}

TEST(Soak, DayOfDownloadsAgainstAnUnreliableServerStaysBounded) {
    QTemporaryFile served;
    const QByteArray fresh = QByteArray::fromStdString(
        test::MakeGif(460, 61, {{0, 0, 460, 61}, {10, 10, 100, 20}, {200, 20, 50, 30}}));
    ASSERT_TRUE(served.open() && served.write(fresh) && served.flush());
    // One answer in forty goes wrong in each of five ways, one in four hundred is too slow.
    QStringList answers;
    for (int i = 0; i < 400; ++i) {
        static const QMap<int, QString> wrong{
            {7, "reset"}, {17, "not_found"}, {27, "truncated"}, {33, "cut"}, {37, "garbage"}};
        answers << (i == 199 ? QStringLiteral("slow") : wrong.value(i % 40, "good"));
    }
    test::TestServer::Options o;
    o.mode = QStringLiteral("day");
    o.bannerFile = served.fileName();
    o.delay = 1.0;
    o.extraArgs = {QStringLiteral("--cycle"), answers.join(',')};
    test::TestServer server(o);
    ASSERT_TRUE(server.running());

    // The program folder in memory where there is a /dev/shm: each tick replaces two files
    // durably, and on a virtual machine's disk those syncs would be most of the day.
    const QByteArray tmpdir = qgetenv("TMPDIR");
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    test::OnlineRig rig;
    tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub1.gif"));
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub2.gif"));
    const QByteArray shipped = test::readBytes(rig.file("Pub1.gif"));
    const std::string oldSite = "\"https://old.example/\"\r\n";
    test::writeBytes(rig.file("Site.eff"), QByteArray::fromStdString(oldSite));
    rig.connection.connected = true;
    rig.window->onlineSettings().downloadHost = server.host();
    // A slow answer outlives this; a good one takes a few milliseconds.
    rig.window->onlineSettings().fetchTimeLimit = 250;
    QAction* pub = rig.window->findChild<QAction*>("Pub");

    int ticks = 0, replaced = 0, failed = 0, quiet = 0;
    Figures warm{};
    bool onAndOnline = true;
    test::VirtualClock clock(rig, [&] {
        // The day: offline from 2 to 3 o'clock, the banner switched off from 21 to 22.
        const int hour = (ticks + 1) * 10000 / kHour;
        rig.connection.connected = hour != 2;
        if (rig.window->PubActive != (hour != 21))
            pub->trigger();
        onAndOnline = rig.connection.connected && rig.window->PubActive;
        const std::optional<bool> outcome = rig.downloadTick();
        ++ticks;
        (outcome ? (*outcome ? replaced : failed) : quiet)++;
        // An answer without a length that is cut short looks whole to HTTP: the site file may
        // then hold the start of the address, but always as one whole field.
        const std::string site = test::readBytes(rig.file("Site.eff")).toStdString();
        const std::optional<std::string> address = shell::ReadFirstField(site);
        ASSERT_TRUE(site == oldSite || (address && site == shell::WriteField(*address) &&
                                        std::string_view(kServedAddress).starts_with(*address)))
            << ticks << ": " << site;
        const QByteArray banner = test::readBytes(rig.file("Pub2.gif"));
        ASSERT_TRUE(banner == shipped || banner == fresh) << ticks << ": " << banner.size();
        ASSERT_LE(rig.trace().size(), 1000);
        if (ticks == kWarmUpTicks)
            warm = figures(rig);
    });
    rig.load(true);
    clock.runUntil(kDay, [&](const test::VirtualClock::Event& e) {
        // The banner file on disk always plays: a tick that failed changed nothing of it.
        EXPECT_TRUE(e.timer != '1' || !onAndOnline || e.animation) << e.time;
    });
    const Figures end = figures(rig);

    EXPECT_EQ(ticks, kDay / 10000);
    // Every path of the tick was taken.
    EXPECT_GT(replaced, 0);
    EXPECT_GT(failed, 0);
    EXPECT_EQ(quiet, 2 * 360);
    EXPECT_EQ(rig.trace().size(), 1000);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_LE(end.openFiles, warm.openFiles + 2);
    EXPECT_LE(end.objects, warm.objects + 2);
    EXPECT_TRUE(test::kSanitized || end.rssKb - warm.rssKb < 32 * 1024)
        << warm.rssKb << " -> " << end.rssKb << " kB";
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files),
              (QStringList{"Pub.eff", "Pub1.gif", "Pub2.gif", "Site.eff"}));
}

} // namespace
