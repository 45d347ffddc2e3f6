// The kept worker threads: a job never waits for a busy thread, an idle
// thread takes the next job, and a pool ends only after its jobs.

#include "net/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace lt {
namespace {

TEST(WorkerPool, BusyThreadsGetCompanyAndIdleOnesAreReused)
{
    std::atomic<int> ran{0};
    std::thread::id first_thread, second_thread;
    {
        WorkerPool pool(std::chrono::seconds(10));
        // Two jobs that wait for each other finish only on two threads.
        std::promise<void> a_started, b_started;
        pool.Run([&] {
            first_thread = std::this_thread::get_id();
            a_started.set_value();
            b_started.get_future().wait();
            ++ran;
        });
        pool.Run([&] {
            a_started.get_future().wait();
            b_started.set_value();
            ++ran;
        });
        while (pool.IdleThreads() < 2)
            std::this_thread::yield();
        // Both threads are idle now; the next job takes one of them.
        std::promise<void> done;
        pool.Run([&] {
            second_thread = std::this_thread::get_id();
            ++ran;
            done.set_value();
        });
        done.get_future().wait();
        while (pool.IdleThreads() < 2)
            std::this_thread::yield();
    }
    EXPECT_EQ(ran, 3);
    EXPECT_NE(second_thread, std::thread::id());
}

TEST(WorkerPool, EndsAfterTheJobsGivenAndIdleThreadsLeaveByThemselves)
{
    std::atomic<int> ran{0};
    {
        WorkerPool pool(std::chrono::milliseconds(20));
        for (int i = 0; i < 5; ++i)
            pool.Run([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                ++ran;
            });
    }
    EXPECT_EQ(ran, 5);

    WorkerPool pool(std::chrono::milliseconds(20));
    std::promise<void> done;
    pool.Run([&] { done.set_value(); });
    done.get_future().wait();
    while (pool.IdleThreads() > 0)
        std::this_thread::yield();
}

} // namespace
} // namespace lt
