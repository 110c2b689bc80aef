// Hostile banner files: in the program folder as Pub1.gif or Pub2.gif, and served by the
// download server as Pub.gif over a good Pub2.gif. The static picture stays (or the good
// Pub2.gif plays), nothing is said, and memory stays bounded. Each outline rule has its row in
// gif_outline_test; here one file of each kind.
#include "gif_maker.h"
#include "online_rig.h"

#include <QMovie>
#include <QTemporaryFile>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Peak growth allowed while a hostile file is played: a good banner needs a few megabytes.
constexpr long kPeakGrowthKb = 200 * 1024;

// A field of /proc/self/status in kilobytes (VmRSS, VmHWM).
long statusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word && word != field + ':') {
    }
    long kb = -1;
    return status >> kb, kb;
}

QByteArray gif(std::uint16_t width, std::uint16_t height, test::GifFrame frame, int frames = 1) {
    return QByteArray::fromStdString(test::MakeGif(width, height, {frame}, frames));
}

const struct Hostile {
    const char* name;
    QByteArray bytes;
} kHostile[] = {
    // The compressed inside of a PNG is noise enough.
    {"NoiseBehindAGifHeader",
     "GIF89a" + test::readBytes(test::assetPath("trombone_3.png")).mid(64)},
    {"AnimatedCutShort", test::readBytes(test::assetPath("Pub1.gif")).left(18000)},
    // Just below what Qt's image reader refuses on its own (128 MB a frame here), where a
    // 60-byte file still costs hundreds of megabytes and a second of decoding.
    {"ScreenJustBelowQtLimit", gif(5600, 5600, {0, 0, 1, 1})},
    {"FrameJustBelowQtLimit", gif(0, 0, {0, 0, 5600, 5600})},
    {"TooManyFrames", gif(460, 61, {0, 0, 460, 61}, 2000)},
};
enum Where { AsPub1, AsPub2, Downloaded };

void expectPlaying(const test::OnlineRig& rig, bool playing) {
    EXPECT_EQ(rig.label("Gif89a1")->isVisible(), playing);
    EXPECT_EQ(rig.label("Image3")->isVisible(), !playing);
    const QMovie* movie = rig.label("Gif89a1")->movie();
    ASSERT_EQ(movie != nullptr, playing);
    EXPECT_EQ(movie ? movie->currentPixmap().size() : QSize(460, 61), QSize(460, 61));
}

class HostileBanner : public ::testing::TestWithParam<std::tuple<Hostile, Where>> {};

TEST_P(HostileBanner, StaticPictureStaysMemoryBoundedNothingSaid) {
    const auto& [hostile, where] = GetParam();
    QTemporaryFile served;
    ASSERT_TRUE(served.open() && served.write(hostile.bytes) && served.flush());
    test::TestServer::Options o;
    o.bannerFile = served.fileName();
    test::TestServer server(o);
    ASSERT_TRUE(server.running());
    test::OnlineRig rig;
    const QString onDisk = rig.file(where == AsPub1 ? "Pub1.gif" : "Pub2.gif");
    const QString good = test::assetPath("Pub1.gif");
    test::writeBytes(onDisk, where == Downloaded ? test::readBytes(good) : hostile.bytes);
    const QByteArray before = test::readBytes(onDisk);
    rig.connection.connected = where == Downloaded;
    rig.load(where != AsPub1);
    rig.window->onlineSettings().downloadHost = server.host();

    std::ofstream("/proc/self/clear_refs") << "5"; // VmHWM down to the present VmRSS
    const long rss = statusKb("VmRSS");
    if (where == Downloaded) {
        EXPECT_EQ(rig.downloadTick(), false);
    }
    for (int tick = 0; where != Downloaded && tick < 3; ++tick) {
        rig.window->Timer1_Timer();
        expectPlaying(rig, false);
    }
    EXPECT_LT(statusKb("VmHWM") - rss, kPeakGrowthKb);
    EXPECT_EQ(test::readBytes(onDisk), before);
    // A good file in place of the hostile one plays at the next tick.
    if (where != Downloaded)
        test::writeBytes(onDisk, test::readBytes(good));
    rig.window->Timer1_Timer();
    expectPlaying(rig, true);
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<Hostile, Where>>& info) {
    const char* const where[] = {"_AsPub1", "_AsPub2", "_Downloaded"};
    return std::string(std::get<0>(info.param).name) + where[std::get<1>(info.param)];
}
INSTANTIATE_TEST_SUITE_P(Banner, HostileBanner,
                         ::testing::Combine(::testing::ValuesIn(kHostile),
                                            ::testing::Values(AsPub1, AsPub2, Downloaded)),
                         caseName);

// A named pipe in place of the banner has no writer: opening it for reading would wait for
// ever, and the window with it. A tick that hangs ends the test process after 10 s.
TEST(HostileBanner, NamedPipeDoesNotHangTheTick) {
    test::OnlineRig rig;
    ASSERT_EQ(mkfifo(QFile::encodeName(rig.file("Pub2.gif")).constData(), 0644), 0);
    rig.load(true);
    alarm(10);
    rig.window->Timer1_Timer();
    alarm(0);
    expectPlaying(rig, false);
}

} // namespace
