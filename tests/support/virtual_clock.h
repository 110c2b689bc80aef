// The two held timers of the main window, Timer1 and Timer3, run in virtual time.
#pragma once

#include "online_rig.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace test {

// Runs the two held timers of the main window in virtual time, by the countdowns they report;
// Timer3's tick is the test's (a download tick, as it likes).
class VirtualClock {
  public:
    VirtualClock(OnlineRig& rig, std::function<void()> downloadTick)
        : rig_(rig), downloadTick_(std::move(downloadTick)) {
        for (int i : {0, 1})
            connections_[i] =
                QObject::connect(timers_[i], &ui::Timer::countdownStarted, timers_[i], [this, i] {
                    due_[i] = now_ + timers_[i]->interval();
                    restarted_ |= i == 0;
                });
    }
    ~VirtualClock() {
        for (const auto& c : connections_)
            QObject::disconnect(c);
    }

    struct Event {
        int time;
        char timer; // '1' or '3'
        bool animation;
        int interval; // Timer1's, 0 when stopped
    };

    // Every tick up to `end` ms after the load, with what it left on screen.
    std::vector<Event> runUntil(int end, const std::function<void(const Event&)>& after = {}) {
        std::vector<Event> events;
        for (;;) {
            const int i = due_[0] && (!due_[1] || *due_[0] <= *due_[1]) ? 0 : 1;
            if (!due_[i] || *due_[i] > end)
                return events;
            now_ = *due_[i];
            restarted_ = false;
            if (i == 1) {
                due_[1] = now_ + timers_[1]->interval();
                downloadTick_();
            } else if (rig_.window->Timer1_Timer(); !timers_[0]->isActive()) {
                due_[0].reset();
            } else if (!restarted_) {
                due_[0] = now_ + timers_[0]->interval();
            }
            const Event e{now_, i ? '3' : '1', rig_.label("Gif89a1")->isVisible(),
                          timers_[0]->isActive() ? timers_[0]->interval() : 0};
            EXPECT_NE(rig_.label("Image3")->isVisible(), e.animation) << e.time;
            events.push_back(e);
            if (after)
                after(e);
        }
    }

  private:
    OnlineRig& rig_;
    std::array<ui::Timer*, 2> timers_{rig_.timer("Timer1"), rig_.timer("Timer3")};
    std::function<void()> downloadTick_;
    std::array<QMetaObject::Connection, 2> connections_;
    int now_ = 0;
    std::array<std::optional<int>, 2> due_;
    bool restarted_ = false;
};

} // namespace test
