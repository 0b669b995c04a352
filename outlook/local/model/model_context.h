#pragma once

#include <memory>

#include "outlook/local/store/store.h"
#include "outlook/local/window_set.h"

namespace outlook::local {

// What every object-model object works with: the open store and the windows.
struct ModelContext {
    std::shared_ptr<Store> store;
    std::shared_ptr<WindowSet> windows;
};

using ContextPtr = std::shared_ptr<ModelContext>;

}  // namespace outlook::local
