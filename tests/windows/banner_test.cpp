// The banner strip's phases, tick by tick on a virtual clock.
#include "online_rig.h"
#include "virtual_clock.h"

#include <QAction>
#include <QMovie>
#include <QTemporaryFile>
#include <gtest/gtest.h>

using test::OnlineRig;
using test::TestServer;
using test::VirtualClock;

namespace {

QSize playing(const OnlineRig& rig) {
    const QMovie* movie = rig.label("Gif89a1")->movie();
    return movie ? movie->currentPixmap().size() : QSize();
}

// Each tick as "<ms> <timer><+ animation shown, - static picture><Timer1's interval, 0 stopped>".
std::string timeline(const std::vector<VirtualClock::Event>& events) {
    std::string line;
    for (const auto& e : events)
        line += (line.empty() ? "" : ", ") + std::to_string(e.time) + ' ' + e.timer +
                (e.animation ? '+' : '-') + std::to_string(e.interval);
    return line;
}

class BannerTimeline : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bannerFile.open());
        bannerFile.write(test::kTinyGif);
        bannerFile.flush();
        QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub1.gif"));
        // The banner of an earlier download: the full-size picture.
        QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub2.gif"));
    }
    void startServer() {
        TestServer::Options o;
        o.bannerFile = bannerFile.fileName();
        server = std::make_unique<TestServer>(o);
        ASSERT_TRUE(server->running());
        rig.window->onlineSettings().downloadHost = server->host();
    }

    QTemporaryFile bannerFile;
    OnlineRig rig;
    std::unique_ptr<TestServer> server;
};

TEST_F(BannerTimeline, SwitchedOffPlaysTheShippedBannerOnceThenStaysStatic) {
    rig.connection.connected = true;
    VirtualClock clock(rig, [&] { EXPECT_EQ(rig.downloadTick(), std::nullopt); });
    rig.load(false);
    EXPECT_FALSE(rig.label("Gif89a1")->isVisible());
    EXPECT_EQ(rig.label("Gif89a1")->movie(), nullptr);
    const auto events = clock.runUntil(60000, [&](const auto& e) {
        if (e.time == 3000) {
            EXPECT_EQ(playing(rig), QSize(460, 61));
        }
    });
    EXPECT_EQ(timeline(events), "3000 1+15000, 10000 3+15000, 18000 1-0, 20000 3-15000, "
                                "30000 3-15000, 35000 1-0, 40000 3-15000, 50000 3-15000, "
                                "55000 1-0, 60000 3-15000");
    // A hidden banner does not go on decoding frames.
    ASSERT_NE(rig.label("Gif89a1")->movie(), nullptr);
    EXPECT_NE(rig.label("Gif89a1")->movie()->state(), QMovie::Running);
}

TEST_F(BannerTimeline, SwitchedOnAndOnlineKeepsTheFreshBannerAndGivesTheFocusBack) {
    rig.connection.connected = true;
    startServer();
    VirtualClock clock(rig, [&] { EXPECT_EQ(rig.downloadTick(), true); });
    rig.load(true);
    const auto events = clock.runUntil(45000, [&](const auto& e) {
        if (e.timer != '1')
            return;
        // The last-used entry box (Text1 since the load) gets the focus back at each start of
        // the animation.
        EXPECT_TRUE(rig.box("Text1")->hasFocus()) << e.time;
        EXPECT_EQ(playing(rig), e.time == 3000 ? QSize(460, 61) : QSize(1, 1)) << e.time;
        ASSERT_NE(rig.label("Gif89a1")->movie(), nullptr);
        // The shipped picture is animated; the one-pixel one has a single frame.
        if (e.time == 3000) {
            EXPECT_EQ(rig.label("Gif89a1")->movie()->state(), QMovie::Running);
        }
        rig.find<QPlainTextEdit>("blocnote")->setFocus();
    });
    EXPECT_EQ(timeline(events), "3000 1+15000, 10000 3+3000, 13000 1+15000, 20000 3+3000, "
                                "23000 1+15000, 30000 3+3000, 33000 1+15000, 40000 3+3000, "
                                "43000 1+15000");
    EXPECT_EQ(server->requests().size(), 8);
}

TEST_F(BannerTimeline, SwitchedOnButOfflinePlaysOnceUntilTheConnectionComesBack) {
    startServer();
    VirtualClock clock(rig, [&] { rig.downloadTick(); });
    rig.load(true);
    const auto events = clock.runUntil(53000, [&](const auto& e) {
        if (e.time == 30000)
            rig.connection.connected = true;
    });
    EXPECT_EQ(timeline(events), "3000 1+15000, 10000 3+15000, 18000 1-0, 20000 3-0, "
                                "30000 3-0, 40000 3-3000, 43000 1+15000, 50000 3+3000, "
                                "53000 1+15000");
}

// A banner file missing, not a picture or cut short: the tick empties the animation, the static
// picture stays, and the first good file plays.
TEST(Banner, BadFileEmptiesTheAnimationAndTheStaticPictureStays) {
    const std::optional<QByteArray> files[] = {std::nullopt, "<html>Portail captif</html>",
                                               test::kTinyGif.left(20)};
    for (const auto& pub2 : files) {
        SCOPED_TRACE(pub2 ? pub2->toStdString() : "missing");
        OnlineRig rig;
        if (pub2)
            test::writeBytes(rig.file("Pub2.gif"), *pub2);
        rig.load(true);
        for (int tick = 0; tick < 2; ++tick) {
            rig.window->Timer1_Timer();
            EXPECT_FALSE(rig.label("Gif89a1")->isVisible());
            EXPECT_EQ(rig.label("Gif89a1")->movie(), nullptr);
            EXPECT_TRUE(rig.label("Image3")->isVisible());
            // The tick failed before it changed the phase: it tries again 3 s later.
            EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
        }
        EXPECT_TRUE(rig.dialogs.messages.empty());
        test::writeBytes(rig.file("Pub2.gif"), test::kTinyGif);
        rig.window->Timer1_Timer();
        EXPECT_TRUE(rig.label("Gif89a1")->isVisible());
        EXPECT_EQ(playing(rig), QSize(1, 1));
    }
}

TEST(Banner, FocusRefusedWhileTheWindowIsDisabledLeavesNeitherPicture) {
    OnlineRig rig;
    QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub1.gif"));
    rig.load(false);
    rig.window->setEnabled(false);
    rig.window->Timer1_Timer();
    EXPECT_FALSE(rig.label("Image3")->isVisible());
    EXPECT_FALSE(rig.label("Gif89a1")->isVisible());
    EXPECT_EQ(rig.label("Gif89a1")->movie(), nullptr);
    EXPECT_EQ(rig.timer("Timer1")->interval(), 15000);
    // The next tick, 15 s later, brings the static picture back.
    rig.window->Timer1_Timer();
    EXPECT_TRUE(rig.label("Image3")->isVisible());
    EXPECT_FALSE(rig.label("Gif89a1")->isVisible());
    EXPECT_FALSE(rig.timer("Timer1")->isActive());
}

TEST(Banner, FocusGoesBackToTheEntryBoxUsedLast) {
    for (const char* last : {"Text1", "Text2"}) {
        OnlineRig rig;
        QFile::copy(test::assetPath("Pub1.gif"), rig.file("Pub1.gif"));
        rig.load(false);
        rig.focus(last);
        rig.find<QPlainTextEdit>("blocnote")->setFocus();
        rig.window->Timer1_Timer();
        EXPECT_TRUE(rig.box(last)->hasFocus()) << last;
        EXPECT_EQ(rig.window->Text1HadFocus, std::string(last) == "Text1");
    }
}

} // namespace
