#include "tests/support/manual_event_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace jotwise::testing {
namespace {

using std::chrono::milliseconds;

std::function<void()> counting(int& count) {
    return [&count] { ++count; };
}

TEST(ManualEventLoopPost, RunsCallsInRoundsWhenAsked) {
    ManualEventLoop loop;
    std::string log;
    std::function<void()> again = [&] {
        log += 'r';
        loop.post(again);
    };
    loop.post([&] { log += 'a'; });
    loop.post(again);
    EXPECT_EQ(log, "");
    EXPECT_EQ(loop.pendingCount(), 2u);
    EXPECT_EQ(loop.runPending(), 2u);
    EXPECT_EQ(log, "ar");
    EXPECT_EQ(loop.pendingCount(), 1u) << "a call posted while running waits for the next round";
    EXPECT_EQ(loop.runPending(), 1u);
    EXPECT_EQ(log, "arr");
}

TEST(ManualEventLoopPost, AcceptsCallsFromManyThreads) {
    ManualEventLoop loop;
    int runs = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i)
                loop.post(counting(runs));
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(loop.runPending(), 2000u);
    EXPECT_EQ(runs, 2000);
}

TEST(ManualEventLoopTimers, FireInDueOrderAtTheirDueTime) {
    ManualEventLoop loop;
    std::string log;
    auto record = [&](char name) {
        return [&, name] { log += name + std::to_string(loop.now().count()) + ' '; };
    };
    const auto id = loop.startTimer(milliseconds(30), record('c'), false);
    EXPECT_NE(id, 0u);
    EXPECT_NE(loop.startTimer(milliseconds(10), record('a'), false), id);
    loop.startTimer(milliseconds(20), record('b'), false);
    loop.startTimer(milliseconds(20), record('B'), false);
    loop.advance(milliseconds(9));
    EXPECT_EQ(log, "");
    loop.advance(milliseconds(1));
    loop.advance(milliseconds(100));
    EXPECT_EQ(log, "a10 b20 B20 c30 ");
    EXPECT_EQ(loop.now(), milliseconds(110));
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST(ManualEventLoopTimers, RepeatingTimerReArmsUntilStopped) {
    ManualEventLoop loop;
    int ticks = 0;
    int zeroTicks = 0;
    const auto id = loop.startTimer(milliseconds(10), counting(ticks), true);
    const auto zero = loop.startTimer(milliseconds(0), counting(zeroTicks), true);
    loop.advance(milliseconds(35));
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(zeroTicks, 35) << "a zero interval counts as 1 ms";
    loop.advance(milliseconds(5));
    EXPECT_EQ(ticks, 4);
    loop.stopTimer(id);
    loop.stopTimer(zero);
    loop.stopTimer(id);
    loop.stopTimer(12345);
    loop.advance(milliseconds(100));
    EXPECT_EQ(ticks, 4);
}

TEST(ManualEventLoopTimers, TimerMayStopItselfAndStartOthers) {
    ManualEventLoop loop;
    std::string log;
    platform::EventLoop::TimerId self = 0;
    const auto followUp = [&] { log += "follow-up "; };
    const auto tick = [&] {
        log += "tick" + std::to_string(loop.now().count()) + ' ';
        if (log.size() < 12) return;
        loop.stopTimer(self);
        loop.startTimer(milliseconds(5), followUp, false);
        loop.post([&] { log += "posted"; });
    };
    self = loop.startTimer(milliseconds(10), tick, true);
    loop.advance(milliseconds(100));
    EXPECT_EQ(log, "tick10 tick20 follow-up posted");
    EXPECT_EQ(loop.timerCount(), 0u);
}

}  // namespace
}  // namespace jotwise::testing
