#include "ui/timer.h"

namespace ui {

Timer::Timer(const QString& name, int interval, QObject* parent) : QObject(parent) {
    setObjectName(name);
    connect(&timer_, &QTimer::timeout, this, &Timer::timeout);
    setInterval(interval);
}

void Timer::setInterval(int milliseconds) {
    if (milliseconds <= 0) {
        interval_ = 0;
        timer_.stop();
        return;
    }
    if (milliseconds == interval_ && timer_.isActive())
        return;
    interval_ = milliseconds;
    timer_.start(milliseconds);
}

} // namespace ui
