#pragma once
// A timer: an interval, an enabled flag and a tick handler. It ticks on the UI
// thread every Interval ms while Enabled, Interval > 0 and OnTimer is
// assigned; changing any of them starts the count again.

#include "platform/event_loop.h"

namespace lt {

class Timer {
public:
    explicit Timer(EventLoop& loop) : loop_(loop) { }
    ~Timer() { stop(); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    void SetOnTimer(Step handler);
    const Step& OnTimer() const { return on_timer_; }

private:
    void restart();
    void stop();

    EventLoop& loop_;
    int interval_ = 1000;
    bool enabled_ = true;
    Step on_timer_;
    EventLoop::TimerId id_ = 0;
};

} // namespace lt
