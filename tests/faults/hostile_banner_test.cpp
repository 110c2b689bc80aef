// Hostile banner files: in the program folder as Pub1.gif or Pub2.gif, and served by the
// download server as Pub.gif over a good Pub2.gif. The static picture stays, nothing is said,
// and memory stays bounded.
#include "fault_rig.h"
#include "gif_maker.h"
#include "online_rig.h"

#include <QMovie>
#include <QTemporaryFile>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Peak growth allowed while a hostile file is played: a good banner needs a few megabytes.
constexpr long kPeakGrowthKb = 200 * 1024;

std::function<QByteArray()> gif(std::uint16_t width, std::uint16_t height, test::GifFrame frame,
                                int frames = 1) {
    return [=] { return QByteArray::fromStdString(test::MakeGif(width, height, {frame}, frames)); };
}

const struct Hostile {
    const char* name;
    std::function<QByteArray()> make;
} kHostile[] = {
    {"NoiseBehindAGifHeader", [] { return QByteArray::fromStdString(test::NoiseGif(4096, 1)); }},
    {"AnimatedCutShort", [] { return test::readBytes(test::assetPath("Pub1.gif")).left(18000); }},
    {"Screen100Megapixels", gif(10000, 10000, {0, 0, 1, 1})},
    {"Frame100Megapixels", gif(0, 0, {0, 0, 10000, 10000})},
    // Just below what Qt's image reader refuses on its own (128 MB a frame here), where a
    // 60-byte file still costs hundreds of megabytes and a second of decoding.
    {"ScreenJustBelowQtLimit", gif(5600, 5600, {0, 0, 1, 1})},
    {"FrameJustBelowQtLimit", gif(0, 0, {0, 0, 5600, 5600})},
    {"TooManyFrames", gif(460, 61, {0, 0, 460, 61}, 2000)},
};

void PrintTo(const Hostile& h, std::ostream* os) {
    *os << h.name;
}

void expectPlaying(const test::OnlineRig& rig, bool playing) {
    EXPECT_EQ(rig.label("Gif89a1")->isVisible(), playing);
    EXPECT_EQ(rig.label("Image3")->isVisible(), !playing);
    const QMovie* movie = rig.label("Gif89a1")->movie();
    ASSERT_EQ(movie != nullptr, playing);
    EXPECT_EQ(movie ? movie->currentPixmap().size() : QSize(460, 61), QSize(460, 61));
}

// Pub2.gif with the banner on, Pub1.gif with it off.
class HostileBannerFile : public ::testing::TestWithParam<std::tuple<Hostile, bool>> {};

TEST_P(HostileBannerFile, StaticPictureStaysMemoryBoundedNothingSaid) {
    const auto& [hostile, pubOn] = GetParam();
    test::OnlineRig rig;
    const char* name = pubOn ? "Pub2.gif" : "Pub1.gif";
    test::writeBytes(rig.file(name), hostile.make());
    rig.load(pubOn);
    EXPECT_LT(test::PeakGrowthKb([&] {
                  for (int tick = 0; tick < 3; ++tick) {
                      rig.window->Timer1_Timer();
                      expectPlaying(rig, false);
                      // The tick failed before the phase changed: it tries again 3 s later.
                      EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
                  }
              }),
              kPeakGrowthKb);
    EXPECT_TRUE(rig.dialogs.messages.empty());

    // A good file in its place plays at the next tick.
    QFile::remove(rig.file(name));
    QFile::copy(test::assetPath("Pub1.gif"), rig.file(name));
    rig.window->Timer1_Timer();
    expectPlaying(rig, true);
}

INSTANTIATE_TEST_SUITE_P(Banner, HostileBannerFile,
                         ::testing::Combine(::testing::ValuesIn(kHostile), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_AsPub2" : "_AsPub1");
                         });

// A named pipe in place of the banner has no writer: opening it for reading would wait for
// ever, and the window with it. The other end is opened if the tick hangs.
TEST(HostileBannerFile, NamedPipeDoesNotHangTheTick) {
    test::OnlineRig rig;
    const QByteArray pipe = QFile::encodeName(rig.file("Pub2.gif"));
    ASSERT_EQ(mkfifo(pipe.constData(), 0644), 0);
    rig.load(true);
    std::promise<void> ticked;
    auto watchdog = std::async(std::launch::async, [&, done = ticked.get_future()] {
        if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready)
            return false;
        ::close(::open(pipe.constData(), O_WRONLY | O_NONBLOCK));
        return true;
    });
    rig.window->Timer1_Timer();
    ticked.set_value();
    EXPECT_FALSE(watchdog.get()) << "the banner tick waited on a named pipe";
    expectPlaying(rig, false);
}

// The download must not let a banner that would not play replace one that does: the good
// Pub2.gif stays, and the next banner tick plays it.
class HostileDownloadedBanner : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileDownloadedBanner, GoodPub2StaysAndPlays) {
    QTemporaryFile served;
    ASSERT_TRUE(served.open() && served.write(GetParam().make()) && served.flush());
    test::TestServer::Options o;
    o.bannerFile = served.fileName();
    test::TestServer server(o);
    ASSERT_TRUE(server.running());
    test::OnlineRig rig;
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub2.gif"));
    const QByteArray good = test::readBytes(rig.file("Pub2.gif"));
    rig.connection.connected = true;
    rig.load(true);
    rig.window->onlineSettings().downloadHost = server.host();

    EXPECT_LT(test::PeakGrowthKb([&] { EXPECT_EQ(rig.downloadTick(), false); }), kPeakGrowthKb);
    EXPECT_EQ(test::readBytes(rig.file("Pub2.gif")), good);
    // The site file of the same tick was fetched first and stays replaced.
    EXPECT_EQ(test::readBytes(rig.file("Site.eff")), "\"https://site.tirelix.example/\"\r\n");
    EXPECT_EQ(server.requests(), (QStringList{test::kSitePath, test::kBannerPath}));
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files),
              (QStringList{"Pub.eff", "Pub2.gif", "Site.eff"}));
    EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
    rig.window->Timer1_Timer();
    expectPlaying(rig, true);
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Download, HostileDownloadedBanner, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
