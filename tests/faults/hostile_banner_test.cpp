// Hostile banner files: in the program folder as Pub1.gif or Pub2.gif, and served by the
// download server as Pub.gif over a good Pub2.gif. The static picture stays, nothing is said,
// and memory stays bounded.
#include "fault_rig.h"
#include "gif_maker.h"
#include "online_rig.h"

#include <QMovie>
#include <QTemporaryFile>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>

using test::OnlineRig;
using test::TestServer;

namespace {

// Peak growth allowed while a hostile file is played: a good banner needs a few megabytes.
constexpr long kPeakGrowthKb = 200 * 1024;

QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

struct HostileCase {
    const char* name;
    std::function<QByteArray()> make;
};

QByteArray halfOfTheAnimatedBanner() {
    const QByteArray whole = test::readBytes(test::assetPath("Pub1.gif"));
    return whole.left(whole.size() / 2);
}

std::function<QByteArray()> gif(std::uint16_t width, std::uint16_t height, test::GifFrame frame,
                                int frames = 1) {
    return [=] { return bytes(test::MakeGif(width, height, {frame}, frames)); };
}

const HostileCase kHostile[] = {
    {"NoiseBehindAGifHeader", [] { return bytes(test::NoiseGif(4096, 1)); }},
    {"AnimatedCutInHalf", halfOfTheAnimatedBanner},
    {"Screen100Megapixels", gif(10000, 10000, {0, 0, 1, 1})},
    {"Frame100Megapixels", gif(0, 0, {0, 0, 10000, 10000})},
    // Just below what Qt's image reader refuses on its own (128 MB a frame here), where a
    // 60-byte file still costs hundreds of megabytes and a second of decoding.
    {"ScreenJustBelowQtLimit", gif(5600, 5600, {0, 0, 1, 1})},
    {"FrameJustBelowQtLimit", gif(0, 0, {0, 0, 5600, 5600})},
    {"TooManyFrames", gif(460, 61, {0, 0, 460, 61}, 2000)},
};

QSize playing(const OnlineRig& rig) {
    const QMovie* movie = rig.label("Gif89a1")->movie();
    return movie ? movie->currentPixmap().size() : QSize();
}

void expectStaticPicture(const OnlineRig& rig, const char* when) {
    EXPECT_TRUE(rig.label("Image3")->isVisible()) << when;
    EXPECT_FALSE(rig.label("Gif89a1")->isVisible()) << when;
    EXPECT_EQ(rig.label("Gif89a1")->movie(), nullptr) << when;
}

struct FileCase {
    HostileCase hostile;
    bool pubOn; // Pub2.gif with the banner on, Pub1.gif with it off
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}
void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.hostile.name << (c.pubOn ? " as Pub2.gif" : " as Pub1.gif");
}

class HostileBannerFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(HostileBannerFile, StaticPictureStaysMemoryBoundedNothingSaid) {
    const FileCase& c = GetParam();
    OnlineRig rig;
    const char* name = c.pubOn ? "Pub2.gif" : "Pub1.gif";
    test::writeBytes(rig.file(name), c.hostile.make());
    rig.load(c.pubOn);

    ASSERT_TRUE(test::ResetPeakMemory());
    const long before = test::StatusKb("VmRSS");
    for (int tick = 0; tick < 3; ++tick) {
        rig.window->Timer1_Timer();
        expectStaticPicture(rig, "after a tick");
        // The tick failed before the phase changed: it tries again 3 s later.
        EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
    }
    EXPECT_LT(test::StatusKb("VmHWM") - before, kPeakGrowthKb);
    EXPECT_TRUE(rig.dialogs.messages.empty());

    // A good file in its place plays at the next tick.
    QFile::remove(rig.file(name));
    QFile::copy(test::assetPath("Pub1.gif"), rig.file(name));
    rig.window->Timer1_Timer();
    EXPECT_TRUE(rig.label("Gif89a1")->isVisible());
    EXPECT_EQ(playing(rig), QSize(460, 61));
}

std::vector<FileCase> fileCases() {
    std::vector<FileCase> cases;
    for (const bool pubOn : {false, true})
        for (const HostileCase& h : kHostile)
            cases.push_back({h, pubOn});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Banner, HostileBannerFile, ::testing::ValuesIn(fileCases()),
                         [](const auto& info) {
                             return std::string(info.param.hostile.name) +
                                    (info.param.pubOn ? "_AsPub2" : "_AsPub1");
                         });

// A named pipe in place of the banner has no writer: opening it for reading would wait for
// ever, and the window with it. A watchdog opens the other end if the tick hangs.
TEST(HostileBannerFile, NamedPipeDoesNotHangTheTick) {
    OnlineRig rig;
    const QByteArray pipe = QFile::encodeName(rig.file("Pub2.gif"));
    ASSERT_EQ(mkfifo(pipe.constData(), 0644), 0);
    rig.load(true);

    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::atomic<bool> hung{false};
    std::thread watchdog([&] {
        std::unique_lock lock(m);
        if (cv.wait_for(lock, std::chrono::seconds(10), [&] { return done; }))
            return;
        hung = true;
        const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    rig.window->Timer1_Timer();
    {
        std::lock_guard lock(m);
        done = true;
    }
    cv.notify_one();
    watchdog.join();
    EXPECT_FALSE(hung) << "the banner tick waited on a named pipe";
    expectStaticPicture(rig, "after the tick");
}

// The download must not let a banner that would not play replace one that does: the good
// Pub2.gif stays, and the next banner tick plays it.
class HostileDownloadedBanner : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileDownloadedBanner, GoodPub2StaysAndPlays) {
    QTemporaryFile served;
    ASSERT_TRUE(served.open());
    served.write(GetParam().make());
    served.flush();
    TestServer::Options o;
    o.bannerFile = served.fileName();
    TestServer server(o);
    ASSERT_TRUE(server.running());

    OnlineRig rig;
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub2.gif"));
    const QByteArray good = test::readBytes(rig.file("Pub2.gif"));
    rig.connection.connected = true;
    rig.load(true);
    rig.window->onlineSettings().downloadHost = server.host();

    ASSERT_TRUE(test::ResetPeakMemory());
    const long before = test::StatusKb("VmRSS");
    EXPECT_EQ(rig.downloadTick(), false);
    EXPECT_LT(test::StatusKb("VmHWM") - before, kPeakGrowthKb);
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), good);
    // The site file of the same tick was fetched first and stays replaced.
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), "\"https://site.tirelix.example/\"\r\n");
    EXPECT_EQ(server.requests(), (QStringList{test::kSitePath, test::kBannerPath}));
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files),
              (QStringList{"Pub.eff", "Pub2.gif", "Site.eff"}));

    EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
    rig.window->Timer1_Timer();
    EXPECT_TRUE(rig.label("Gif89a1")->isVisible());
    EXPECT_FALSE(rig.label("Image3")->isVisible());
    EXPECT_EQ(playing(rig), QSize(460, 61));
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Download, HostileDownloadedBanner, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
