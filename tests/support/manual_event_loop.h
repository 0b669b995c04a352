#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "platform/event_loop.h"

namespace jotwise::testing {

// An event loop driven by hand, with its own clock that only moves in advance(): for tests
// and benchmarks that run the program's logic without Qt. post() may be called from any thread.
class ManualEventLoop : public platform::EventLoop {
public:
    void post(std::function<void()> call) override;
    // A repeating timer's interval is at least 1 ms, so that advance() always ends.
    TimerId startTimer(std::chrono::milliseconds interval, std::function<void()> call,
                       bool repeat) override;
    void stopTimer(TimerId id) override;

    // Runs the calls posted before this round began, in posting order, and returns how many
    // ran. Calls posted meanwhile wait for the next round, so a call that posts itself again
    // cannot keep this from returning.
    std::size_t runPending();
    // Moves the clock forward by `by` (negative counts as zero), firing each timer that falls
    // due on the way at its due time, in due order (timers due together in the order they were
    // armed; a repeating timer re-arms one interval after its due time). Timers started by
    // those calls take part if they fall due in time. Then runs one round of pending calls.
    void advance(std::chrono::milliseconds by);

    std::size_t pendingCount() const;
    std::size_t timerCount() const;
    // The time advanced so far.
    std::chrono::milliseconds now() const;

private:
    struct Timer {
        std::chrono::milliseconds due;
        std::chrono::milliseconds interval;
        std::uint64_t armOrder;
        bool repeat;
        // Shared so that a timer can stop itself while its call runs.
        std::shared_ptr<std::function<void()>> call;
    };
    // The next timer due no later than `until`: moves the clock to it and re-arms or drops it.
    std::shared_ptr<std::function<void()>> takeDueTimer(std::chrono::milliseconds until);

    mutable std::mutex mutex_;
    std::deque<std::function<void()>> pending_;
    std::map<TimerId, Timer> timers_;
    std::chrono::milliseconds now_{0};
    TimerId nextId_ = 1;
    std::uint64_t nextArmOrder_ = 0;
};

}  // namespace jotwise::testing
