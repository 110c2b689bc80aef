// The program folder on a file system that is full or read-only: saving a note page over an
// existing one, the banner switch writing Pub.eff, and a download. Every write fails silently,
// every file that was there stays whole, the window goes on; once the fault is gone, the same
// commands succeed.
#include "core/rtf.h"
#include "online_rig.h"

#include <QAction>
#include <QScopeGuard>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// A mount namespace private to this process, so that nothing the tests mount is seen outside
// it or outlives it, even after a crash. Made before main, while the process has one thread: a
// namespace is the calling thread's. Root only, and not in a chroot, where "/" is no mount
// point to make private.
const bool kPrivateMounts =
    unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;

class DiskFault : public ::testing::TestWithParam<bool> {};

TEST_P(DiskFault, WritesFailSilentlyAndLeaveEveryFileWhole) {
    test::TestServer::Options o;
    o.bannerFile = test::assetPath("Pub1.gif");
    test::TestServer server(o);
    ASSERT_TRUE(server.running());
    test::OnlineRig rig;
    // A tmpfs of 64 kB over the program folder, for the test's life.
    const std::string path = rig.folder.path().toStdString(), filler = path + "/.filler";
    if (!kPrivateMounts || mount("tirelix-test", path.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "needs a mount namespace of its own (root, outside a chroot) and tmpfs";
    const auto unmount = qScopeGuard([&] { umount2(path.c_str(), MNT_DETACH); });
    // Full (a filler written until not one more byte fits) or read-only (chmod does not stop
    // root: the file system itself turns read-only), then lifted.
    const auto fault = [&](bool on) {
        if (GetParam())
            return mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | (on ? MS_RDONLY : 0),
                         nullptr) == 0;
        if (!on)
            return ::unlink(filler.c_str()) == 0;
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        while (fd >= 0 && ::write(fd, "x", 1) == 1) {
        }
        const bool full = fd >= 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    };
    const QString page = rig.file("page.cxt");
    const QMap<QString, QByteArray> before{{page, "{\\rtf1\\ansi ancienne page\\par }"},
                                           {rig.file("Site.eff"), "\"https://old.example/\"\r\n"},
                                           {rig.file("Pub2.gif"), test::kTinyGif}};
    for (auto file = before.begin(); file != before.end(); ++file)
        test::writeBytes(file.key(), file.value());
    rig.connection.connected = true;
    rig.load(false);
    rig.window->onlineSettings().downloadHost = server.host();
    const std::string tape = test::lines({"12 + 3 =  15", "1,5 x 2 =  3"});
    rig.window->tape().setText(tape);
    const QStringList files = QDir(rig.folder.path()).entryList(QDir::Files);
    auto save = [&] {
        rig.files.answers = {page.toStdString()};
        rig.window->findChild<QAction*>("save")->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.window->notePageBusy(); }, 60000));
    };
    QAction* pub = rig.window->findChild<QAction*>("Pub");

    ASSERT_TRUE(fault(true));
    save();
    pub->trigger();
    // The switch holds for this run; only remembering it failed.
    EXPECT_TRUE(rig.window->PubActive && pub->isChecked());
    EXPECT_EQ(rig.downloadTick(), false);
    for (auto file = before.begin(); file != before.end(); ++file)
        EXPECT_EQ(test::readBytes(file.key()), file.value()) << file.key().toStdString();
    EXPECT_EQ(test::readBytes(rig.file("Pub.eff")), "\"0\"\r\n");
    // No part of a file is left beside them, and the banner on disk still plays.
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files), files);
    rig.window->Timer1_Timer();
    EXPECT_TRUE(rig.label("Gif89a1")->isVisible());

    ASSERT_TRUE(fault(false));
    save();
    pub->trigger();
    pub->trigger();
    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(calc::ReadRtf(test::readBytes(page).toStdString()).text, tape);
    EXPECT_EQ(test::readBytes(rig.file("Pub.eff")), "\"1\"\r\n");
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, DiskFault, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ReadOnly" : "Full"; });

} // namespace
