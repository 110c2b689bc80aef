// The banner strip's phases, tick by tick on a virtual clock.
#include "online_rig.h"
#include "virtual_clock.h"

#include <QMovie>
#include <gtest/gtest.h>

using test::OnlineRig;
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

// The shipped banner, and the full-size picture of an earlier download.
struct BannerRig : OnlineRig {
    BannerRig() {
        for (const char* name : {"Pub1.gif", "Pub2.gif"})
            QFile::copy(test::assetPath("Pub1.gif"), file(name));
    }
};

TEST(BannerTimeline, SwitchedOffPlaysTheShippedBannerOnceThenStaysStatic) {
    BannerRig rig;
    rig.connection.connected = true;
    VirtualClock clock(rig, [&] { EXPECT_EQ(rig.downloadTick(), std::nullopt); });
    rig.load(false);
    EXPECT_EQ(rig.label("Gif89a1")->movie(), nullptr);
    const auto events = clock.runUntil(60000, [&](const auto& e) {
        EXPECT_TRUE(e.time != 3000 || playing(rig) == QSize(460, 61));
    });
    EXPECT_EQ(timeline(events), "3000 1+15000, 10000 3+15000, 18000 1-0, 20000 3-15000, "
                                "30000 3-15000, 35000 1-0, 40000 3-15000, 50000 3-15000, "
                                "55000 1-0, 60000 3-15000");
    // A hidden banner does not go on decoding frames.
    EXPECT_NE(rig.label("Gif89a1")->movie()->state(), QMovie::Running);
}

// The last-used entry box (Text1 since the load) gets the focus back at each start of the
// animation; the shipped banner plays, then each fresh one-pixel download.
TEST(BannerTimeline, SwitchedOnAndOnlineKeepsTheFreshBannerAndGivesTheFocusBack) {
    BannerRig rig;
    rig.connection.connected = true;
    rig.serve();
    VirtualClock clock(rig, [&] { EXPECT_EQ(rig.downloadTick(), true); });
    rig.load(true);
    const auto events = clock.runUntil(45000, [&](const auto& e) {
        if (e.timer != '1')
            return;
        EXPECT_TRUE(rig.box("Text1")->hasFocus()) << e.time;
        EXPECT_EQ(playing(rig), e.time == 3000 ? QSize(460, 61) : QSize(1, 1)) << e.time;
        rig.find<QPlainTextEdit>("blocnote")->setFocus();
    });
    EXPECT_EQ(timeline(events), "3000 1+15000, 10000 3+3000, 13000 1+15000, 20000 3+3000, "
                                "23000 1+15000, 30000 3+3000, 33000 1+15000, 40000 3+3000, "
                                "43000 1+15000");
    EXPECT_EQ(rig.server->requests().size(), 8);
}

// A banner file missing or not a picture (a captive portal's page; hostile pictures are the
// fault tests'): the tick empties the animation, the static picture stays, nothing is said, it
// tries again 3 s later, and the first good file plays.
TEST(Banner, BadFileEmptiesTheAnimationAndTheStaticPictureStays) {
    for (const QByteArray& pub2 : {QByteArray(), QByteArray("<html>")}) {
        OnlineRig rig;
        if (!pub2.isEmpty())
            test::writeBytes(rig.file("Pub2.gif"), pub2);
        rig.load(true);
        rig.window->Timer1_Timer();
        EXPECT_FALSE(rig.label("Gif89a1")->isVisible());
        EXPECT_EQ(rig.label("Gif89a1")->movie(), nullptr);
        EXPECT_TRUE(rig.label("Image3")->isVisible());
        EXPECT_EQ(rig.timer("Timer1")->interval(), 3000);
        EXPECT_TRUE(rig.dialogs.messages.empty());
        test::writeBytes(rig.file("Pub2.gif"), test::kTinyGif);
        rig.window->Timer1_Timer();
        EXPECT_EQ(playing(rig), QSize(1, 1));
    }
}

// The animation's start gives the focus back to the entry box used last (the timeline's); refused
// while the window is disabled, it leaves neither picture, and 15 s later the static one.
TEST(Banner, FocusRefusedWhileTheWindowIsDisabledLeavesNeitherPicture) {
    BannerRig refused;
    refused.load(false);
    refused.window->setEnabled(false);
    refused.window->Timer1_Timer();
    EXPECT_FALSE(refused.label("Image3")->isVisible());
    EXPECT_FALSE(refused.label("Gif89a1")->isVisible());
    EXPECT_EQ(refused.timer("Timer1")->interval(), 15000);
    refused.window->Timer1_Timer();
    EXPECT_TRUE(refused.label("Image3")->isVisible());
    EXPECT_FALSE(refused.timer("Timer1")->isActive());
}

} // namespace
