#include "platform/timer.h"

namespace lt {

void Timer::SetInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    restart();
}

void Timer::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    restart();
}

void Timer::SetOnTimer(Step handler)
{
    on_timer_ = std::move(handler);
    restart();
}

void Timer::stop()
{
    if (id_ != 0)
        loop_.stop_timer(id_);
    id_ = 0;
}

void Timer::restart()
{
    stop();
    if (!enabled_ || interval_ <= 0 || !on_timer_)
        return;
    // The tick reads the handler anew, so a handler replaced or a timer
    // disabled from inside a tick takes effect at once.
    id_ = loop_.start_timer(interval_, [this] {
        if (enabled_ && on_timer_) {
            Step handler = on_timer_;
            handler();
        }
    });
}

} // namespace lt
