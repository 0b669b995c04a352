#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

namespace outlook::local::transport {

// Hears of each item that Send puts in the Outbox. Whoever runs the store decides what
// happens next: the tray program delivers in the background, jotwise add at once, and
// without a listener the item waits for the next delivery.
class OutboxQueue {
public:
    using Listener = std::function<void(std::int64_t item)>;

    void setListener(Listener listener) {
        std::lock_guard lock(mutex_);
        listener_ = std::move(listener);
    }
    void queued(std::int64_t item) {
        Listener listener;
        {
            std::lock_guard lock(mutex_);
            listener = listener_;
        }
        if (listener) listener(item);
    }

private:
    std::mutex mutex_;
    Listener listener_;
};

}  // namespace outlook::local::transport
