#include "tests/support/manual_event_loop.h"

#include <algorithm>
#include <utility>

namespace jotwise::testing {

using std::chrono::milliseconds;

void ManualEventLoop::post(std::function<void()> call) {
    const std::lock_guard lock(mutex_);
    pending_.push_back(std::move(call));
}

platform::EventLoop::TimerId ManualEventLoop::startTimer(milliseconds interval,
                                                         std::function<void()> call, bool repeat) {
    interval = std::max(interval, milliseconds(repeat ? 1 : 0));
    const std::lock_guard lock(mutex_);
    const TimerId id = nextId_++;
    timers_.emplace(id, Timer{now_ + interval, interval, nextArmOrder_++, repeat,
                              std::make_shared<std::function<void()>>(std::move(call))});
    return id;
}

void ManualEventLoop::stopTimer(TimerId id) {
    const std::lock_guard lock(mutex_);
    timers_.erase(id);
}

std::size_t ManualEventLoop::runPending() {
    std::deque<std::function<void()>> round;
    {
        const std::lock_guard lock(mutex_);
        round.swap(pending_);
    }
    for (auto& call : round)
        call();
    return round.size();
}

std::shared_ptr<std::function<void()>> ManualEventLoop::takeDueTimer(milliseconds until) {
    const std::lock_guard lock(mutex_);
    const auto next = std::min_element(timers_.begin(), timers_.end(), [](auto& a, auto& b) {
        return std::pair(a.second.due, a.second.armOrder) <
               std::pair(b.second.due, b.second.armOrder);
    });
    if (next == timers_.end() || next->second.due > until) return nullptr;
    Timer& timer = next->second;
    now_ = timer.due;
    auto call = timer.call;
    if (timer.repeat) {
        timer.due += timer.interval;
        timer.armOrder = nextArmOrder_++;
    } else {
        timers_.erase(next);
    }
    return call;
}

void ManualEventLoop::advance(milliseconds by) {
    const milliseconds until = now() + std::max(by, milliseconds(0));
    while (const auto call = takeDueTimer(until))
        (*call)();
    {
        const std::lock_guard lock(mutex_);
        now_ = until;
    }
    runPending();
}

std::size_t ManualEventLoop::pendingCount() const {
    const std::lock_guard lock(mutex_);
    return pending_.size();
}

std::size_t ManualEventLoop::timerCount() const {
    const std::lock_guard lock(mutex_);
    return timers_.size();
}

milliseconds ManualEventLoop::now() const {
    const std::lock_guard lock(mutex_);
    return now_;
}

}  // namespace jotwise::testing
