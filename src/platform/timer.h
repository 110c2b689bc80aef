// A timer with the program's interval rules: 0 stops it; a non-zero interval starts a stopped
// timer; a different interval restarts the countdown; setting the same interval changes nothing.
#pragma once

#include <QObject>
#include <QTimer>

namespace ui {

class Timer : public QObject {
    Q_OBJECT
  public:
    explicit Timer(const QString& name, int interval, QObject* parent = nullptr);
    void setInterval(int milliseconds);
    int interval() const { return interval_; }
    bool isActive() const { return active_; }

    // Tests drive the ticks themselves: the interval rules still apply, but the clock never
    // fires.
    void holdTicks(bool held);

  signals:
    void timeout();
    // The countdown (re)started from this moment with interval().
    void countdownStarted();

  private:
    QTimer timer_;
    int interval_ = 0;
    bool active_ = false;
    bool held_ = false;
};

} // namespace ui
