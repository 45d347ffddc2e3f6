#include "platform/event_loop.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace lt {
namespace {

TEST(EventLoop, PostedStepsRunInOrderAndNeverReenter)
{
    VirtualClock clock;
    EventLoop loop(clock);
    std::vector<int> seen;
    loop.post([&] {
        seen.push_back(1);
        loop.post([&] { seen.push_back(3); }); // runs after 2: posted later
    });
    loop.post([&] { seen.push_back(2); });
    loop.process_pending();
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    loop.process_pending();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

TEST(EventLoop, TimersFireAtExactVirtualTimesAndStopFromTheirOwnTick)
{
    VirtualClock clock;
    EventLoop loop(clock);
    std::vector<std::string> log;
    Timer fast(loop), slow(loop);
    fast.SetInterval(200);
    slow.SetInterval(500);
    fast.SetOnTimer([&] {
        log.push_back("f" + std::to_string(clock.now_ms()));
        if (clock.now_ms() >= 600)
            fast.SetEnabled(false);
    });
    slow.SetOnTimer([&] { log.push_back("s" + std::to_string(clock.now_ms())); });
    loop.advance(1000);
    EXPECT_EQ(log, (std::vector<std::string>{"f200", "f400", "s500", "f600", "s1000"}));
    EXPECT_EQ(clock.now_ms(), 1000);
}

TEST(EventLoop, ChangingATimerRestartsItsCount)
{
    VirtualClock clock;
    EventLoop loop(clock);
    int ticks = 0;
    Timer t(loop);
    t.SetEnabled(false);
    t.SetInterval(500);
    t.SetOnTimer([&] { ++ticks; });
    loop.advance(1000);
    EXPECT_EQ(ticks, 0);
    t.SetEnabled(true);
    loop.advance(499);
    EXPECT_EQ(ticks, 0);
    t.SetInterval(300); // restarts: next tick 300 ms from now
    loop.advance(299);
    EXPECT_EQ(ticks, 0);
    loop.advance(1);
    EXPECT_EQ(ticks, 1);
}

TEST(EventLoop, TimerDestroyedInsideItsOwnTickIsSafe)
{
    VirtualClock clock;
    EventLoop loop(clock);
    auto t = std::make_unique<Timer>(loop);
    int ticks = 0;
    t->SetInterval(10);
    t->SetOnTimer([&] {
        ++ticks;
        t.reset();
    });
    loop.advance(100);
    EXPECT_EQ(ticks, 1);
}

TEST(EventLoop, WorkerSendWaitsForTheUiThreadAndPostDoesNot)
{
    VirtualClock clock;
    EventLoop loop(clock);
    std::atomic<int> stage{0};
    int ran_on_ui = 0;
    std::thread worker([mb = loop.mailbox(), &stage, &ran_on_ui, &loop] {
        bool ok = mb->send([&] { ran_on_ui = loop.on_ui_thread() ? 1 : -1; });
        stage = ok ? 1 : -1;
        mb->post([&] { stage = 2; });
    });
    ASSERT_TRUE(loop.wait_until([&] { return stage == 2; }, 10000));
    worker.join();
    EXPECT_EQ(ran_on_ui, 1);
}

TEST(EventLoop, ClosingReleasesWaitingSendersAndDropsLaterPosts)
{
    auto clock = std::make_unique<VirtualClock>();
    auto loop = std::make_unique<EventLoop>(*clock);
    auto mailbox = loop->mailbox();
    std::atomic<int> result{0};
    std::thread worker([&] { result = mailbox->send([] {}) ? 1 : -1; });
    // Let the worker queue its step, then destroy the loop without running it.
    while (mailbox->empty())
        std::this_thread::yield();
    loop.reset();
    worker.join();
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(mailbox->post([] {}));
}

TEST(EventLoop, RunEndsOnQuitAndRealTimersTick)
{
    RealClock clock;
    EventLoop loop(clock);
    int ticks = 0;
    Timer t(loop);
    t.SetInterval(5);
    t.SetOnTimer([&] {
        if (++ticks == 3)
            loop.quit();
    });
    loop.run();
    EXPECT_EQ(ticks, 3);
}

TEST(EventLoop, ExceptionsFromStepsGoToTheHandlerAndTheLoopGoesOn)
{
    VirtualClock clock;
    EventLoop loop(clock);
    std::string caught;
    loop.set_exception_handler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            caught = ex.what();
        }
    });
    bool after = false;
    loop.post([] { throw std::runtime_error("boom"); });
    loop.post([&] { after = true; });
    loop.process_pending();
    EXPECT_EQ(caught, "boom");
    EXPECT_TRUE(after);
}

} // namespace
} // namespace lt
