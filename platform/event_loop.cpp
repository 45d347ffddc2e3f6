#include "platform/event_loop.h"

#include <chrono>
#include <cstdio>
#include <limits>

namespace lt {

int64_t RealClock::now_ms() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// ---------------------------------------------------------------- Mailbox

bool Mailbox::post(Step step)
{
    std::function<void()> waker;
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return false;
        steps_.push_back(std::move(step));
        waker = waker_;
    }
    queued_.notify_one();
    if (waker)
        waker();
    return true;
}

bool Mailbox::send(Step step)
{
    // The flag lives in the wrapper and in this frame; it is only read and
    // written under mutex_.
    auto done = std::make_shared<bool>(false);
    Step wrapper = [this, done, step = std::move(step)] {
        step();
        {
            std::lock_guard lock(mutex_);
            *done = true;
        }
        ran_.notify_all();
    };
    if (!post(std::move(wrapper)))
        return false;
    std::unique_lock lock(mutex_);
    ran_.wait(lock, [&] { return *done || closed_; });
    return *done;
}

bool Mailbox::closed() const
{
    std::lock_guard lock(mutex_);
    return closed_;
}

bool Mailbox::take(Step& out)
{
    std::lock_guard lock(mutex_);
    if (steps_.empty())
        return false;
    out = std::move(steps_.front());
    steps_.pop_front();
    return true;
}

bool Mailbox::empty() const
{
    std::lock_guard lock(mutex_);
    return steps_.empty();
}

void Mailbox::close()
{
    std::deque<Step> dropped;
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        waker_ = nullptr;
        dropped.swap(steps_);
    }
    ran_.notify_all();
    queued_.notify_all();
    // The dropped steps are destroyed here, outside the lock.
}

void Mailbox::set_waker(std::function<void()> waker)
{
    std::lock_guard lock(mutex_);
    waker_ = std::move(waker);
}

void Mailbox::wait(int timeout_ms)
{
    std::unique_lock lock(mutex_);
    auto ready = [&] { return !steps_.empty() || closed_; };
    if (timeout_ms < 0)
        queued_.wait(lock, ready);
    else
        queued_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready);
}

// ---------------------------------------------------------------- EventLoop

namespace {
thread_local EventLoop* t_current = nullptr;
}

EventLoop* EventLoop::current()
{
    return t_current;
}

EventLoop::EventLoop(Clock& clock)
    : clock_(clock), ui_thread_(std::this_thread::get_id()), mailbox_(std::make_shared<Mailbox>())
{
    if (!t_current)
        t_current = this;
}

EventLoop::~EventLoop()
{
    if (t_current == this)
        t_current = nullptr;
    mailbox_->close();
}

bool EventLoop::send(Step step)
{
    if (on_ui_thread()) {
        guarded(step);
        return true;
    }
    return mailbox_->send(std::move(step));
}

void EventLoop::set_event_source(EventSource* source)
{
    source_ = source;
    if (source)
        mailbox_->set_waker([source] { source->wake(); });
    else
        mailbox_->set_waker(nullptr);
}

void EventLoop::set_exception_handler(std::function<void(std::exception_ptr)> handler)
{
    on_exception_ = std::move(handler);
}

void EventLoop::guarded(const Step& step)
{
    try {
        step();
    } catch (...) {
        if (on_exception_) {
            on_exception_(std::current_exception());
        } else {
            try {
                throw;
            } catch (const std::exception& e) {
                std::fprintf(stderr, "unhandled exception: %s\n", e.what());
            } catch (...) {
                std::fprintf(stderr, "unhandled exception\n");
            }
        }
    }
}

EventLoop::TimerId EventLoop::start_timer(int interval_ms, Step on_tick)
{
    if (interval_ms < 1)
        interval_ms = 1;
    TimerId id = next_timer_id_++;
    timers_[id] = TimerEntry{interval_ms, now_ms() + interval_ms, std::make_shared<Step>(std::move(on_tick))};
    return id;
}

void EventLoop::stop_timer(TimerId id)
{
    timers_.erase(id);
}

bool EventLoop::run_posted()
{
    // Steps posted while these run wait for the next turn, so a step that
    // posts itself again cannot starve timers and window events.
    bool any = false;
    for (size_t n = 0, limit = 1; n < limit; ++n) {
        Step step;
        if (!mailbox_->take(step))
            break;
        if (n == 0) {
            std::lock_guard lock(mailbox_->mutex_);
            limit = mailbox_->steps_.size() + 1;
        }
        any = true;
        guarded(step);
    }
    return any;
}

bool EventLoop::fire_one_due(int64_t limit_ms)
{
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due_ms <= limit_ms && (best == timers_.end() || it->second.due_ms < best->second.due_ms))
            best = it;
    }
    if (best == timers_.end())
        return false;
    if (clock_.is_virtual() && best->second.due_ms > clock_.now_ms())
        static_cast<VirtualClock&>(clock_).set(best->second.due_ms);
    best->second.due_ms = clock_.now_ms() + best->second.interval_ms;
    // Holding the step keeps it alive if the tick stops its own timer.
    std::shared_ptr<Step> tick = best->second.on_tick;
    guarded(*tick);
    return true;
}

int EventLoop::next_timer_delay() const
{
    if (timers_.empty())
        return -1;
    int64_t due = std::numeric_limits<int64_t>::max();
    for (const auto& [id, t] : timers_)
        due = std::min(due, t.due_ms);
    int64_t delay = due - now_ms();
    if (delay < 0)
        return 0;
    return delay > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(delay);
}

bool EventLoop::process_pending()
{
    bool any = run_posted();
    if (source_ && source_->dispatch_pending())
        any = true;
    // Timers due now fire once each; a timer that is due again at once
    // (a tick slower than its interval) waits for the next turn.
    int64_t now = now_ms();
    for (size_t n = timers_.size(); n > 0 && fire_one_due(now); --n)
        any = true;
    return any;
}

void EventLoop::run()
{
    run_until([] { return false; });
}

bool EventLoop::run_until(const std::function<bool()>& done)
{
    while (!quit_ && !done()) {
        if (process_pending() || quit_ || done())
            continue;
        int timeout = clock_.is_virtual() ? -1 : next_timer_delay();
        if (source_)
            source_->wait(timeout);
        else
            mailbox_->wait(timeout);
    }
    return done();
}

void EventLoop::advance(int64_t ms)
{
    if (!clock_.is_virtual())
        return;
    auto& clock = static_cast<VirtualClock&>(clock_);
    const int64_t target = clock.now_ms() + ms;
    for (;;) {
        while (run_posted() || (source_ && source_->dispatch_pending())) { }
        if (!fire_one_due(target))
            break;
    }
    clock.set(target);
    while (run_posted() || (source_ && source_->dispatch_pending())) { }
}

bool EventLoop::wait_until(const std::function<bool()>& pred, int timeout_ms)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(timeout_ms);
    for (;;) {
        while (run_posted() || (source_ && source_->dispatch_pending())) { }
        if (pred())
            return true;
        auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0)
            return false;
        mailbox_->wait(static_cast<int>(std::min<int64_t>(left, 50)));
    }
}

} // namespace lt
