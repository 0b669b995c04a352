#pragma once

#include <memory>
#include <unordered_map>

#include "platform/event_loop.h"

class QObject;
class QTimer;

namespace platform {

// The Qt event loop of the thread that creates this object. post() may be called from any
// thread, though not while the loop is being destroyed. Destroying the loop stops its timers
// and drops the calls that have not run yet.
class QtEventLoop : public EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    void post(std::function<void()> call) override;
    TimerId startTimer(std::chrono::milliseconds interval, std::function<void()> call,
                       bool repeat) override;
    void stopTimer(TimerId id) override;

private:
    // Receives the posted calls and owns the timers; deleting it takes both with it.
    std::unique_ptr<QObject> context_;
    std::unordered_map<TimerId, QTimer*> timers_;
    TimerId nextId_ = 1;
};

}  // namespace platform
