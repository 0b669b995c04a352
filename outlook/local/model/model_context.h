#pragma once

#include <memory>

#include "outlook/local/store/store.h"
#include "outlook/local/transport/outbox_queue.h"
#include "outlook/local/window_set.h"
#include "platform/registry.h"

namespace outlook::local {

// What every object-model object works with: the open store, the windows, and who hears of
// what Send puts in the Outbox (may be null: nobody), and the user's settings (may be null:
// the defaults).
struct ModelContext {
    std::shared_ptr<Store> store;
    std::shared_ptr<WindowSet> windows;
    std::shared_ptr<transport::OutboxQueue> outbox;
    platform::Registry* registry = nullptr;
};

using ContextPtr = std::shared_ptr<ModelContext>;

}  // namespace outlook::local
