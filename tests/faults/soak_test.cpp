// A whole day of the online part, its timers run in virtual time against a download server
// that now and then answers slowly, resets, says 404, cuts its answers short or sends noise.
// The files stay whole, and the trace, the open files, the objects and the memory stay bounded.
#include "core/state_file.h"
#include "virtual_clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr int kDay = 24 * 3600 * 1000;

// Open files, objects under the window, resident kilobytes.
std::tuple<qsizetype, qsizetype, long> figures(const test::OnlineRig& rig) {
    // Replies end with deleteLater: let those deletions happen first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    long pages = 0, residentPages = 0;
    std::ifstream("/proc/self/statm") >> pages >> residentPages;
    return {QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System | QDir::AllEntries).size(),
            rig.window->findChildren<QObject*>().size(), residentPages * 4};
}

TEST(Soak, DayOfDownloadsAgainstAnUnreliableServerStaysBounded) {
    // One answer in eight goes wrong, in each of five ways in turn; one in four hundred is too
    // slow.
    QStringList answers(400, QStringLiteral("good"));
    const char* const wrong[] = {"reset", "not_found", "truncated", "cut", "garbage"};
    for (int i = 7; i < 400; i += 8)
        answers[i] = QString::fromLatin1(wrong[i / 8 % 5]);
    answers[199] = QStringLiteral("slow");
    test::TestServer::Options o;
    o.mode = QStringLiteral("day");
    o.bannerFile = test::assetPath("Pub1.gif");
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
    test::writeBytes(rig.file("Pub2.gif"), test::kTinyGif);
    const std::string oldSite = "\"https://old.example/\"\r\n";
    test::writeBytes(rig.file("Site.eff"), QByteArray::fromStdString(oldSite));
    rig.connection.connected = true;
    rig.window->onlineSettings().downloadHost = server.host();
    // A slow answer outlives this; a good one takes a few milliseconds.
    rig.window->onlineSettings().fetchTimeLimit = 250;

    int ticks = 0, replaced = 0, failed = 0;
    std::tuple<qsizetype, qsizetype, long> warm;
    test::VirtualClock clock(rig, [&] {
        (rig.downloadTick().value_or(false) ? replaced : failed)++;
        // An answer without a length that is cut short looks whole to HTTP: the site file may
        // then hold the start of the address, but always as one whole field.
        const std::string site = test::readBytes(rig.file("Site.eff")).toStdString();
        const std::optional<std::string> address = shell::ReadFirstField(site);
        ASSERT_TRUE(site == oldSite ||
                    (address && site == shell::WriteField(*address) &&
                     std::string_view("https://site.tirelix.example/").starts_with(*address)))
            << ticks << ": " << site;
        // The network stack has set itself up by then.
        if (++ticks == 200)
            warm = figures(rig);
    });
    rig.load(true);
    clock.runUntil(kDay);
    const auto [openFiles, objects, rssKb] = figures(rig);

    EXPECT_EQ(ticks, kDay / 10000);
    EXPECT_GT(replaced, 0);
    EXPECT_GT(failed, 0);
    EXPECT_EQ(rig.trace().size(), 1000);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_LE(openFiles, std::get<0>(warm) + 2);
    EXPECT_LE(objects, std::get<1>(warm) + 2);
    // AddressSanitizer's quarantine keeps freed memory resident by design.
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(rssKb - std::get<2>(warm), 32 * 1024) << std::get<2>(warm) << " -> " << rssKb;
#endif
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files),
              (QStringList{"Pub.eff", "Pub2.gif", "Site.eff"}));
}

} // namespace
