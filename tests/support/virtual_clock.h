// The two held timers of the main window, Timer1 and Timer3, run in virtual time.
#pragma once

#include "online_rig.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace test {

// Runs the two held timers of the main window in virtual time, by the countdowns they report.
class VirtualClock {
  public:
    using TimerTick = std::function<void()>;

    VirtualClock(OnlineRig& rig, TimerTick downloadTick)
        : rig_(rig), t1_(rig.timer("Timer1")), t3_(rig.timer("Timer3")),
          downloadTick_(std::move(downloadTick)) {
        c1_ = QObject::connect(t1_, &ui::Timer::countdownStarted, t1_, [this] {
            due1_ = now_ + t1_->interval();
            restarted1_ = true;
        });
        c3_ = QObject::connect(t3_, &ui::Timer::countdownStarted, t3_,
                               [this] { due3_ = now_ + t3_->interval(); });
    }
    ~VirtualClock() {
        QObject::disconnect(c1_);
        QObject::disconnect(c3_);
    }

    struct Event {
        int time;
        char timer; // '1' or '3'
        bool animation;
        int interval;
        bool operator==(const Event&) const = default;
    };

    // Every tick up to `end` ms after the load, with what it left on screen.
    std::vector<Event> runUntil(int end, const std::function<void(const Event&)>& after = {}) {
        std::vector<Event> events;
        for (;;) {
            const bool first = due1_ && (!due3_ || *due1_ <= *due3_);
            const std::optional<int> next = first ? due1_ : due3_;
            if (!next || *next > end)
                break;
            now_ = *next;
            if (first) {
                restarted1_ = false;
                rig_.window->Timer1_Timer();
                if (!t1_->isActive())
                    due1_.reset();
                else if (!restarted1_)
                    due1_ = now_ + t1_->interval();
            } else {
                due3_ = now_ + t3_->interval();
                downloadTick_();
            }
            const Event e{now_, first ? '1' : '3', rig_.label("Gif89a1")->isVisible(),
                          t1_->isActive() ? t1_->interval() : 0};
            EXPECT_NE(rig_.label("Image3")->isVisible(), e.animation) << e.time;
            events.push_back(e);
            if (after)
                after(e);
        }
        return events;
    }

  private:
    OnlineRig& rig_;
    ui::Timer* t1_;
    ui::Timer* t3_;
    TimerTick downloadTick_;
    QMetaObject::Connection c1_, c3_;
    int now_ = 0;
    std::optional<int> due1_, due3_;
    bool restarted1_ = false;
};

} // namespace test
