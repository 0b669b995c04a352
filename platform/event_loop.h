#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace platform {

// The program's event loop as its logic sees it: calls posted to run later on the loop's
// thread, and timers. post() may be called from any thread; everything else, and every
// call it runs, happens on the loop's thread.
class EventLoop {
public:
    using TimerId = std::uint64_t;

    virtual ~EventLoop() = default;
    virtual void post(std::function<void()> call) = 0;
    // Runs `call` after `interval`, once or every interval until stopped. Never returns 0.
    virtual TimerId startTimer(std::chrono::milliseconds interval, std::function<void()> call,
                               bool repeat) = 0;
    virtual void stopTimer(TimerId id) = 0;
};

}  // namespace platform
