#include "net/worker_pool.h"

#include <thread>

namespace lt {

WorkerPool& WorkerPool::Shared()
{
    static auto* pool = new WorkerPool(std::chrono::seconds(30));
    return *pool;
}

WorkerPool::~WorkerPool()
{
    std::unique_lock lock(mutex_);
    closing_ = true;
    queued_.notify_all();
    ended_.wait(lock, [this] { return threads_ == 0; });
}

void WorkerPool::Run(std::function<void()> job)
{
    std::unique_lock lock(mutex_);
    jobs_.push_back(std::move(job));
    if (jobs_.size() <= idle_) {
        lock.unlock();
        queued_.notify_one();
        return;
    }
    try {
        std::thread([this] { serve(); }).detach();
    } catch (...) {
        jobs_.pop_back();
        throw;
    }
    ++threads_;
}

size_t WorkerPool::IdleThreads() const
{
    std::lock_guard lock(mutex_);
    return idle_;
}

void WorkerPool::serve()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        const bool got = queued_.wait_for(lock, idle_time_, [this] { return !jobs_.empty() || closing_; });
        --idle_;
        if (!got || jobs_.empty()) {
            // The last thing this thread does with the pool: the destructor
            // may go on as soon as it sees the count drop.
            if (--threads_ == 0)
                ended_.notify_all();
            return;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        job = nullptr;
        lock.lock();
    }
}

} // namespace lt
