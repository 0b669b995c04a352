#pragma once

#include <memory>

#include "outlook/local/store/store.h"
#include "outlook/local/transport/outbox_queue.h"
#include "outlook/local/window_set.h"

namespace outlook::local {

// What every object-model object works with: the open store, the windows, and who hears of
// what Send puts in the Outbox (may be null: nobody).
struct ModelContext {
    std::shared_ptr<Store> store;
    std::shared_ptr<WindowSet> windows;
    std::shared_ptr<transport::OutboxQueue> outbox;
};

using ContextPtr = std::shared_ptr<ModelContext>;

}  // namespace outlook::local
