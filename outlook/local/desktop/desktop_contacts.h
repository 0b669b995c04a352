#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "outlook/local/desktop/desktop_contacts_sync.h"

namespace outlook::local::desktop {

class DesktopAddressBook;

// Keeps the copies of the desktop's address book in Contacts up to date while the program
// runs, on a thread of its own: it connects, brings every contact in, then brings them in
// again whenever the book says it changed (and every `recheck` besides). An address book that
// cannot be reached is reported once and tried again every `retry`; what changed meanwhile is
// caught up by the next comparison. Nothing here ever waits on the caller's thread, except
// the destructor for a comparison under way.
class DesktopContacts {
public:
    struct Options {
        std::string sourceUid;  // empty: the desktop's default address book
        std::chrono::milliseconds recheck{std::chrono::minutes(10)};
        std::chrono::milliseconds retry{std::chrono::seconds(30)};
        // Told (on the thread of this object) why the book cannot be reached; once until it
        // is reached again.
        std::function<void(const std::string&)> problem;
        // Told (on the same thread) after each comparison; may be empty.
        std::function<void(const ContactSyncCounts&)> synced;
    };

    DesktopContacts(std::shared_ptr<Store> store, Options options);
    ~DesktopContacts();
    DesktopContacts(const DesktopContacts&) = delete;
    DesktopContacts& operator=(const DesktopContacts&) = delete;

private:
    void work();
    // Reads the book and brings it in; false with `error` set when that failed.
    bool bringIn(DesktopAddressBook& book, std::string& error);

    std::shared_ptr<Store> store_;
    Options options_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    DesktopAddressBook* book_ = nullptr;  // while the thread has one, for stopping it
    std::thread thread_;
};

}  // namespace outlook::local::desktop
