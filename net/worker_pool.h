#pragma once
// The threads that run fetch workers. Each fetch still has a worker of its
// own that ends with it; only the OS thread under it is kept, idle for a
// while, for the next fetch, because making a thread for every answer costs
// about as much as a loopback answer itself.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace lt {

class WorkerPool {
public:
    // Threads left idle for idle_time end.
    explicit WorkerPool(std::chrono::milliseconds idle_time) : idle_time_(idle_time) { }
    // Lets the jobs already given run to their end, then waits until every
    // thread of the pool has ended.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The pool of the HTTP component: threads idle for half a minute end. It
    // is never destroyed, since a worker may still end while static objects
    // are torn down.
    static WorkerPool& Shared();

    // Runs job on an idle thread, or on a new one; never waits for a busy
    // thread. Throws (and keeps nothing) when no thread can be made.
    void Run(std::function<void()> job);

    // Threads currently waiting for a job.
    size_t IdleThreads() const;

private:
    void serve();

    const std::chrono::milliseconds idle_time_;
    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<std::function<void()>> jobs_;
    size_t idle_ = 0;
    size_t threads_ = 0;
    bool closing_ = false;
    std::condition_variable ended_;
};

} // namespace lt
