#include "platform/ui/qt_event_loop.h"

#include <gtest/gtest.h>

#include <QTest>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace platform {
namespace {

using std::chrono::milliseconds;

// Runs the Qt event loop until `condition` holds, for at most ten seconds.
template <typename Condition>
bool waitFor(Condition condition) {
    return QTest::qWaitFor(condition, 10000);
}

// A single-shot timer set after other timers: once it has fired, they have had their chance.
void waitLonger(EventLoop& loop) {
    bool done = false;
    const auto setDone = [&] { done = true; };
    loop.startTimer(milliseconds(50), setDone, false);
    EXPECT_TRUE(waitFor([&] { return done; }));
}

TEST(QtEventLoop, PostedCallsRunLaterInOrder) {
    QtEventLoop loop;
    std::string log;
    loop.post([&] { log += 'a'; });
    loop.post([&] { log += 'b'; });
    EXPECT_EQ(log, "") << "post must not run the call at once";
    EXPECT_TRUE(waitFor([&] { return log.size() == 2; }));
    EXPECT_EQ(log, "ab");
}

TEST(QtEventLoop, PostFromAnotherThreadRunsOnTheLoopThread) {
    QtEventLoop loop;
    std::atomic<bool> ran = false;
    std::thread::id ranOn;
    const auto record = [&] {
        ranOn = std::this_thread::get_id();
        ran = true;
    };
    std::thread([&] { loop.post(record); }).join();
    EXPECT_TRUE(waitFor([&] { return ran.load(); }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(QtEventLoop, TimersFireAsOftenAsAskedUntilStopped) {
    QtEventLoop loop;
    int once = 0;
    int ticks = 0;
    bool stoppedFired = false;
    EventLoop::TimerId repeating = 0;
    const auto tick = [&] {
        if (++ticks == 3) loop.stopTimer(repeating);
    };
    const auto countOnce = [&] { ++once; };
    const auto markStopped = [&] { stoppedFired = true; };
    loop.startTimer(milliseconds(1), countOnce, false);
    const auto stopped = loop.startTimer(milliseconds(1), markStopped, false);
    repeating = loop.startTimer(milliseconds(1), tick, true);
    EXPECT_NE(repeating, stopped);
    loop.stopTimer(stopped);
    loop.stopTimer(stopped);
    loop.stopTimer(987654);
    EXPECT_TRUE(waitFor([&] { return ticks >= 3; }));
    waitLonger(loop);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(stoppedFired);
}

TEST(QtEventLoop, DestroyedLoopDropsItsCallsAndTimers) {
    bool ran = false;
    const auto run = [&] { ran = true; };
    auto loop = std::make_unique<QtEventLoop>();
    loop->post(run);
    loop->startTimer(milliseconds(0), run, false);
    loop->startTimer(milliseconds(1), run, true);
    loop.reset();
    QtEventLoop other;
    waitLonger(other);
    EXPECT_FALSE(ran);

    // The loop that lives on runs what it is given.
    other.post(run);
    waitLonger(other);
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace platform
