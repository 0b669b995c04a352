#include "outlook/local/store/store_connection.h"

namespace outlook::local {

std::shared_ptr<Store> StoreConnection::get() {
    std::lock_guard lock(mutex_);
    if (store_) return store_;
    std::string error;
    store_ = Store::open(options_, error);
    if (!store_)
        lastError_ = error;
    else if (opened_)
        opened_(*store_);
    return store_;
}

std::string StoreConnection::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

void StoreConnection::setLastError(std::string text) {
    std::lock_guard lock(mutex_);
    lastError_ = std::move(text);
}

}  // namespace outlook::local
