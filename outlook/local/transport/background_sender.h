#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "outlook/local/transport/outbox_sender.h"
#include "platform/event_loop.h"
#include "platform/registry.h"

namespace outlook::local::transport {

// Delivers the Outbox on a thread of its own, so that a slow mail server never holds up the
// program: an item as soon as Send queued it, and everything waiting when asked (at the
// start, and then every few minutes). An item queued by Send that did not go out is told
// to `notSent` on the event loop's thread; retries of waiting items are not told, their
// reason is kept on the item.
class BackgroundSender {
public:
    using StoreSource = std::function<std::shared_ptr<Store>()>;
    using Report = std::function<void(const Delivery&)>;

    // The registry and the loop must outlive this object; both are used on the loop's
    // thread only.
    BackgroundSender(StoreSource store, platform::Registry& registry, platform::EventLoop& loop,
                     Report notSent);
    // Waits for the message being handed over, if any; the rest stays waiting in the Outbox.
    ~BackgroundSender();
    BackgroundSender(const BackgroundSender&) = delete;
    BackgroundSender& operator=(const BackgroundSender&) = delete;

    void sendQueued(std::int64_t item);
    void sendWaiting();
    // Sends what waits now and then every `interval`.
    void retryEvery(std::chrono::milliseconds interval);

private:
    struct Job {
        std::shared_ptr<Store> store;
        MailSetup setup;
        std::optional<std::int64_t> item;  // nothing: everything waiting
    };
    void add(std::optional<std::int64_t> item);
    void work();

    StoreSource store_;
    platform::Registry& registry_;
    platform::EventLoop& loop_;
    Report notSent_;
    std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
    std::optional<platform::EventLoop::TimerId> timer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace outlook::local::transport
