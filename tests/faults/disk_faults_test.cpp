// The program folder on a file system that is full or read-only: saving a note page over an
// existing one, the banner switch writing Pub.eff, and a download. Every write fails silently,
// every file that was there stays whole, the window goes on; once the fault is gone, the same
// commands succeed.
#include "core/rtf.h"
#include "fault_rig.h"
#include "gif_maker.h"
#include "online_rig.h"

#include <QAction>
#include <QTemporaryFile>
#include <gtest/gtest.h>

using test::OnlineRig;
using test::SmallFileSystem;
using test::TestServer;

namespace {

const QByteArray kOldPage = "{\\rtf1\\ansi ancienne page\\par }";
const QByteArray kOldSite = "\"https://old.example/\"\r\n";
const QByteArray kPubOff = "\"0\"\r\n";

struct Fault {
    const char* name;
    std::function<bool(SmallFileSystem&)> apply;
    std::function<bool(SmallFileSystem&)> lift;
};

const Fault kFaults[] = {
    {"Full", [](SmallFileSystem& fs) { return fs.fill(); },
     [](SmallFileSystem& fs) {
         fs.empty();
         return true;
     }},
    // chmod does not stop root: the file system itself turns read-only.
    {"ReadOnly", [](SmallFileSystem& fs) { return fs.setReadOnly(true); },
     [](SmallFileSystem& fs) { return fs.setReadOnly(false); }},
};

void PrintTo(const Fault& f, std::ostream* os) {
    *os << f.name;
}

class DiskFault : public ::testing::TestWithParam<Fault> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(served.open());
        served.write(test::kTinyGif);
        served.flush();
        TestServer::Options o;
        o.bannerFile = served.fileName();
        server = std::make_unique<TestServer>(o);
        ASSERT_TRUE(server->running());
    }

    QTemporaryFile served;
    std::unique_ptr<TestServer> server;
};

TEST_P(DiskFault, WritesFailSilentlyAndLeaveEveryFileWhole) {
    OnlineRig rig;
    SmallFileSystem fs(rig.folder.path(), 64);
    if (!fs.mounted())
        GTEST_SKIP() << fs.whyNot();
    const QString page = rig.file("page.cxt");
    test::writeBytes(page, kOldPage);
    test::writeBytes(rig.file("Site.eff"), kOldSite);
    const QByteArray oldBanner = QByteArray::fromStdString(test::MakeGif(2, 2, {{0, 0, 2, 2}}));
    test::writeBytes(rig.file("Pub2.gif"), oldBanner);
    rig.connection.connected = true;
    rig.load(false);
    rig.window->onlineSettings().downloadHost = server->host();
    const QStringList files = QDir(rig.folder.path()).entryList(QDir::Files);
    const std::string tape = test::lines({"12 + 3 =  15", "1,5 x 2 =  3"});
    rig.window->tape().setText(tape);
    auto save = [&] {
        rig.files.answers = {page.toStdString()};
        rig.window->findChild<QAction*>("save")->trigger();
    };
    QAction* pub = rig.window->findChild<QAction*>("Pub");

    ASSERT_TRUE(GetParam().apply(fs));
    save();
    pub->trigger();
    // The switch holds for this run; only remembering it failed.
    EXPECT_TRUE(rig.window->PubActive);
    EXPECT_TRUE(pub->isChecked());
    EXPECT_EQ(rig.downloadTick(), false);

    EXPECT_EQ(test::readBytes(page), kOldPage);
    EXPECT_EQ(test::readBytes(rig.file("Pub.eff")), kPubOff);
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), kOldSite);
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), oldBanner);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // No part of a file is left beside them.
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files), files);
    // The window goes on: the banner on disk still plays.
    rig.window->Timer1_Timer();
    EXPECT_TRUE(rig.label("Gif89a1")->isVisible());

    ASSERT_TRUE(GetParam().lift(fs));
    save();
    pub->trigger();
    pub->trigger();
    EXPECT_EQ(rig.downloadTick(), true);
    EXPECT_EQ(calc::ReadRtf(test::readBytes(page).toStdString()).text, tape);
    EXPECT_EQ(test::readBytes(rig.file("Pub.eff")), "\"1\"\r\n");
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), "\"https://site.tirelix.example/\"\r\n");
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), test::kTinyGif);
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, DiskFault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
