#pragma once
// The UI thread's event loop.
//
// Everything the program does happens in steps run one at a time on the
// thread that runs the loop (the UI thread): posted steps in the order they
// were posted, timer ticks when due, and window events fed in by an
// EventSource (the windowing backends plug in there). Worker threads reach the
// UI thread only through the loop's Mailbox: post() hands a step over and
// returns; send() hands it over and waits until it has run.
//
// Sections: EventSource (the windowing seam) - Mailbox (cross-thread queue) -
// EventLoop (running, timers, virtual time).

#include "platform/clock.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace lt {

using Step = std::function<void()>;

// Where a windowing backend feeds its events into the loop.
class EventSource {
public:
    virtual ~EventSource() = default;
    // Dispatches every event waiting now; returns whether there was any.
    virtual bool dispatch_pending() = 0;
    // Blocks until an event may be waiting, wake() is called or timeout_ms
    // passes (-1: no limit).
    virtual void wait(int timeout_ms) = 0;
    // Ends a wait early; called from any thread.
    virtual void wake() = 0;
};

// The cross-thread queue of posted steps. Workers keep it through a
// shared_ptr, so it may outlive the loop: once the loop is gone it is closed,
// later posts are dropped and every waiting send() is released.
class Mailbox {
public:
    // Queues a step; returns false (and drops the step) once closed.
    bool post(Step step);
    // Queues a step and waits until the UI thread has run it. Returns false
    // when the mailbox closed before the step ran (the step is then dropped).
    // Must not be called on the UI thread (the loop offers send() for that).
    bool send(Step step);
    bool closed() const;
    // True when no posted step is waiting.
    bool empty() const;

private:
    friend class EventLoop;
    bool take(Step& out);
    void close();
    void set_waker(std::function<void()> waker);
    // Blocks until a step is queued or timeout_ms passes (-1: no limit).
    void wait(int timeout_ms);

    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable ran_;
    std::deque<Step> steps_;
    std::function<void()> waker_;
    bool closed_ = false;
};

class EventLoop {
public:
    using TimerId = uint64_t;

    // The loop belongs to the thread that constructs it; that thread is the
    // UI thread and is the only one that may run it or touch its timers.
    explicit EventLoop(Clock& clock);
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // The loop constructed on the calling thread and still alive, if any:
    // components that hand work back to "their" UI thread find it here.
    static EventLoop* current();

    Clock& clock() const { return clock_; }
    int64_t now_ms() const { return clock_.now_ms(); }
    bool on_ui_thread() const { return std::this_thread::get_id() == ui_thread_; }

    // Cross-thread hand-over. Keep the mailbox, not the loop, in workers.
    const std::shared_ptr<Mailbox>& mailbox() const { return mailbox_; }
    void post(Step step) { mailbox_->post(std::move(step)); }
    // Runs the step on the UI thread and waits for it; on the UI thread itself
    // the step runs at once. Returns false when the step was dropped.
    bool send(Step step);

    // Timers: on_tick runs every interval_ms on the UI thread until stopped. A
    // tick that comes late does not pile up: the next is due one interval
    // after the tick that ran. A timer may stop itself, or others, in a tick.
    TimerId start_timer(int interval_ms, Step on_tick);
    void stop_timer(TimerId id);
    bool timer_active(TimerId id) const { return timers_.count(id) != 0; }

    // Runs posted steps and due timers until quit(), waiting in between.
    void run();
    void quit()
    {
        quit_ = true;
        mailbox_->post([] {});
    }
    bool quitting() const { return quit_; }
    // Clears a previous quit() so the loop can run again.
    void reset_quit() { quit_ = false; }
    // Runs like run() until done() holds or quit() is called; returns done()'s
    // last value. Modal windows and drag loops nest their loops this way, so
    // a quit() during them still reaches the outer run().
    bool run_until(const std::function<bool()>& done);

    // Runs what is ready now (posted steps, due timers, pending window
    // events) without waiting; returns whether anything ran.
    bool process_pending();

    // Virtual time only: moves the clock forward by ms, firing each timer at
    // its exact due time in due order and running posted steps in between.
    void advance(int64_t ms);
    // Processes posted steps as they arrive, waiting in real time, until
    // pred() holds or timeout_ms of real time have passed. Virtual time does
    // not move. Returns pred()'s last value. For steps posted by workers.
    bool wait_until(const std::function<bool()>& pred, int timeout_ms);

    // The windowing seam. The source must outlive its registration.
    void set_event_source(EventSource* source);
    EventSource* event_source() const { return source_; }

    // Where an exception escaping a step goes; the default prints its message
    // to stderr and the loop goes on.
    void set_exception_handler(std::function<void(std::exception_ptr)> handler);
    // Runs a step the way the loop runs its own: an exception escaping it
    // goes to the exception handler. Event sources run each event this way.
    void run_guarded(const Step& step) { guarded(step); }

private:
    struct TimerEntry {
        int interval_ms;
        int64_t due_ms;
        std::shared_ptr<Step> on_tick;
    };

    void guarded(const Step& step);
    bool run_posted();
    // Fires the earliest timer due at or before limit_ms; returns whether one fired.
    bool fire_one_due(int64_t limit_ms);
    // Milliseconds until the next timer is due (-1: none).
    int next_timer_delay() const;

    Clock& clock_;
    std::thread::id ui_thread_;
    std::shared_ptr<Mailbox> mailbox_;
    std::map<TimerId, TimerEntry> timers_;
    TimerId next_timer_id_ = 1;
    EventSource* source_ = nullptr;
    std::function<void(std::exception_ptr)> on_exception_;
    bool quit_ = false;
};

} // namespace lt
