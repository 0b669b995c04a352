#include "platform/ui/qt_event_loop.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <utility>

namespace platform {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

// Deleting the context removes the calls still queued for it and deletes its timers.
QtEventLoop::~QtEventLoop() {
    context_.reset();
}

void QtEventLoop::post(std::function<void()> call) {
    // The queued call is addressed to the context and dies with it; the guard is a second
    // line of defence should Qt ever deliver it after the context is gone.
    QPointer<QObject> context = context_.get();
    QMetaObject::invokeMethod(
        context_.get(),
        [context, call = std::move(call)] {
            if (context) call();
        },
        Qt::QueuedConnection);
}

EventLoop::TimerId QtEventLoop::startTimer(std::chrono::milliseconds interval,
                                           std::function<void()> call, bool repeat) {
    const TimerId id = nextId_++;
    auto* timer = new QTimer(context_.get());
    // Precise, so that a call made for a moment never comes before it.
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(!repeat);
    timer->setInterval(
        static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(interval.count(), 0, INT_MAX)));
    auto shared = std::make_shared<std::function<void()>>(std::move(call));
    QObject::connect(timer, &QTimer::timeout, context_.get(), [this, id, repeat, shared] {
        // Holds the call even if it stops its own timer or this is the timer's only firing.
        const auto keep = shared;
        if (!repeat) stopTimer(id);
        (*keep)();
    });
    timers_.emplace(id, timer);
    timer->start();
    return id;
}

void QtEventLoop::stopTimer(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    QTimer* timer = found->second;
    timers_.erase(found);
    timer->stop();
    // Later, not now: this may run inside the timer's own timeout signal.
    timer->deleteLater();
}

}  // namespace platform
