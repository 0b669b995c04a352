#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>

#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/store/change_observer.h"
#include "platform/atomic_file.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::mirror {

// Says what went wrong with the mirror, in one line without the program's name.
using Reporter = std::function<void(const std::string& message)>;
// Writes "jotwise: MESSAGE" on standard error.
void reportOnStandardError(const std::string& message);

// Makes the folders of a mirror under `root` where they are missing (mode 0700) and checks
// that files can be made in them; false with the reason when not.
bool prepareMirrorFolders(const std::filesystem::path& root, std::string& error);

struct MirrorCounts {
    std::size_t written = 0;  // files written
    std::size_t removed = 0;  // files removed
    std::size_t failed = 0;   // items whose file could not be written or removed
    std::string firstError;   // why the first of those failed
};

// Keeps a vdir copy of the store's calendar items and contacts under a root folder:
// calendar/ (VEVENT), tasks/ (VTODO), contacts/ (vCard 4.0) and journal/ (VJOURNAL), one
// file per item named by its UID (see mirror_names.h).
//
// The mirror hears of every committed change as the store's change observer and writes on a
// thread of its own, so a save never waits for it and never fails because of it. For each
// item it notes only that the item changed; the thread then reads the item as it is and
// writes its file, or removes it when the item is gone or no longer mirrored (deleted, moved
// to Deleted Items). A change made by another process arrives without saying which items it
// touched: the thread then compares the store with the files (each file's modification time
// is set to the item's last modification time, so an unchanged item is recognised without
// reading it) and writes only what differs. The same comparison runs when the mirror starts,
// so changes made while it was off are caught up.
//
// A file that cannot be written is reported once through the reporter (again only after
// writing has worked in between) and tried again with the next change, or after
// `retryInterval` when nothing happens. The comparison also removes the temporary files
// that writers killed while writing left behind.
class Mirror : public ChangeObserver {
public:
    struct Options {
        std::filesystem::path root;
        Reporter report = reportOnStandardError;
        std::chrono::milliseconds retryInterval{std::chrono::seconds(60)};
        // A temporary file of one of our items unchanged for this long was left by a writer
        // that died. A write takes a moment, and one going on in another process's mirror
        // must keep its file.
        std::chrono::seconds abandonedTemporaryAge{std::chrono::seconds(60)};
    };

    // The store must outlive the mirror or detach it first (the store does so when it
    // closes). The thread starts at once and first brings the folders up to date.
    Mirror(Store& store, Options options);
    ~Mirror() override;
    Mirror(const Mirror&) = delete;
    Mirror& operator=(const Mirror&) = delete;

    const std::filesystem::path& root() const { return options_.root; }
    // Replaces the reporter (nullptr: failures are only counted).
    void setReporter(Reporter report);

    void committed(const std::vector<Change>& changes) noexcept override;
    void changedElsewhere() noexcept override;
    // Finishes what is noticed so far, then stops the thread.
    void detach() noexcept override;

    // Writes every mirrored item again and removes the files of items that are gone; returns
    // when that is done, with what it did.
    MirrorCounts rewriteAll();
    // Returns once everything noticed so far is written or has failed.
    void flush();
    // What the thread has done since the mirror started.
    MirrorCounts totals() const;

private:
    struct Work {
        bool compare = false;  // compare the whole store with the files
        bool force = false;    // and write every file, up to date or not
        std::set<std::int64_t> items;
    };
    struct Outcome {
        MirrorCounts counts;
        std::set<std::int64_t> failedItems;
        bool compareFailed = false;
    };

    bool hasWork() const { return compare_ || force_ || !dirty_.empty(); }
    void run();
    Outcome perform(Work work);
    void compare(Work& work, Outcome& outcome);
    void syncItem(std::int64_t item, platform::Durability durability, bool compared,
                  Outcome& outcome);
    bool remove(const std::filesystem::path& file, Outcome& outcome);
    bool isOurs(MirrorFolder folder, std::string_view fileName) const;
    void removeIfAbandoned(const std::filesystem::path& temporary) const;

    Store& store_;
    Options options_;  // the reporter changes under the mutex; the rest never

    mutable std::mutex mutex_;
    std::condition_variable wake_;  // work arrived, or stop
    std::condition_variable idle_;  // a round of work ended
    std::set<std::int64_t> dirty_;
    std::set<std::int64_t> failed_;
    bool compare_ = true;  // the first round compares the store with the folder
    bool retryCompare_ = false;
    bool force_ = false;
    bool busy_ = false;
    bool stopping_ = false;
    bool detached_ = false;
    bool reported_ = false;
    std::uint64_t forceRequested_ = 0, forceDone_ = 0;
    MirrorCounts lastForced_;
    MirrorCounts totals_;
    std::thread thread_;
};

}  // namespace outlook::local::mirror
