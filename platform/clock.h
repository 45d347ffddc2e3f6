#pragma once
// One source of time for the whole program. Timers, double-click timing and
// every delay read it, so tests can move time by exact milliseconds.

#include <atomic>
#include <cstdint>

namespace lt {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale with an arbitrary origin.
    virtual int64_t now_ms() const = 0;
    // True when time moves only when told to (tests).
    virtual bool is_virtual() const { return false; }
};

class RealClock final : public Clock {
public:
    int64_t now_ms() const override;
};

// Time that stands still until advanced. The event loop advances it so that
// timers fire at their exact due times; tests normally go through
// EventLoop::advance rather than set().
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(int64_t start_ms = 0) : now_(start_ms) { }
    int64_t now_ms() const override { return now_.load(std::memory_order_acquire); }
    bool is_virtual() const override { return true; }
    void set(int64_t ms) { now_.store(ms, std::memory_order_release); }

private:
    std::atomic<int64_t> now_;
};

} // namespace lt
