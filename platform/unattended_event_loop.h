#pragma once

#include "platform/event_loop.h"

namespace platform {

// The event loop of a process that never runs one, such as a command that does one job and
// ends: what is posted to it and its timers are dropped.
class UnattendedEventLoop : public EventLoop {
public:
    void post(std::function<void()>) override {}
    TimerId startTimer(std::chrono::milliseconds, std::function<void()>, bool) override {
        return nextId_++;
    }
    void stopTimer(TimerId) override {}

private:
    TimerId nextId_ = 1;
};

}  // namespace platform
