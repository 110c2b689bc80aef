#include "platform/timer.h"

namespace ui {

Timer::Timer(const QString& name, int interval, QObject* parent) : QObject(parent) {
    setObjectName(name);
    connect(&timer_, &QTimer::timeout, this, &Timer::timeout);
    setInterval(interval);
}

void Timer::setInterval(int milliseconds) {
    if (milliseconds <= 0) {
        interval_ = 0;
        active_ = false;
        timer_.stop();
        return;
    }
    if (milliseconds == interval_ && active_)
        return;
    interval_ = milliseconds;
    active_ = true;
    if (!held_)
        timer_.start(milliseconds);
    emit countdownStarted();
}

void Timer::holdTicks(bool held) {
    held_ = held;
    if (held)
        timer_.stop();
    else if (active_ && !timer_.isActive())
        timer_.start(interval_);
}

} // namespace ui
