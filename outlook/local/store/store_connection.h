#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "outlook/local/store/store.h"

namespace outlook::local {

// Opens a store on first use and keeps it; a failed open is retried on the next use, and
// its reason stays available as the last error.
class StoreConnection {
public:
    // `opened` runs once the store is open, before anyone else gets it.
    explicit StoreConnection(Store::Options options, std::function<void(Store&)> opened = {})
        : options_(std::move(options)), opened_(std::move(opened)) {}
    // An already open store.
    explicit StoreConnection(std::shared_ptr<Store> store) : store_(std::move(store)) {}

    // nullptr when the store cannot be opened (see lastError).
    std::shared_ptr<Store> get();
    std::string lastError() const;
    void setLastError(std::string text);
    const std::filesystem::path& path() const { return options_.path; }

private:
    Store::Options options_;
    std::function<void(Store&)> opened_;
    mutable std::mutex mutex_;
    std::shared_ptr<Store> store_;
    std::string lastError_;
};

}  // namespace outlook::local
