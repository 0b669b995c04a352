#include "outlook/local/mirror/mirror.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <map>
#include <utility>

#include "outlook/local/mirror/calendar_writer.h"
#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/mirror/vcard_writer.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/store.h"
#include "platform/atomic_file.h"

namespace outlook::local::mirror {

namespace fs = std::filesystem;
using namespace mapi;

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;
// From this many files in one round on, files are not synced one by one but all at the end:
// a whole store's mirror writes in a fraction of the time.
constexpr std::size_t kBatchWrite = 16;

// A file's modification time that stands for an item's last change.
timespec modificationTimeOf(std::optional<FileTime> time) {
    // Items always have one; without it any fixed time does, as long as it is the same.
    const std::int64_t ticks = (time ? time->ticks : kUnixEpochTicks) - kUnixEpochTicks;
    std::int64_t seconds = ticks / kTicksPerSecond;
    std::int64_t rest = ticks % kTicksPerSecond;
    if (rest < 0) {
        --seconds;
        rest += kTicksPerSecond;
    }
    timespec when{};
    when.tv_sec = static_cast<time_t>(seconds);
    when.tv_nsec = static_cast<long>(rest * 100);
    return when;
}

// Where the item is mirrored, if anywhere.
std::optional<MirrorFolder> placeOf(Store& store, std::int64_t folder,
                                    std::string_view messageClass) {
    const FolderRecord* record = store.folderById(folder);
    if (!record) return std::nullopt;
    return mirrorFolderOf(itemKindFromMessageClass(messageClass), record->kind);
}

}  // namespace

bool prepareMirrorFolders(const fs::path& root, std::string& error) {
    for (const MirrorFolder folder : kMirrorFolders) {
        const fs::path path = root / folderName(folder);
        if (!platform::makeFolders(path, &error)) return false;
        if (::access(path.c_str(), W_OK | X_OK) != 0) {
            error = "cannot write into " + path.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

void reportOnStandardError(const std::string& message) {
    std::cerr << "jotwise: " << message << std::endl;
}

Mirror::Mirror(Store& store, Options options) : store_(store), options_(std::move(options)) {
    thread_ = std::thread([this] { run(); });
}

Mirror::~Mirror() {
    detach();
}

void Mirror::committed(const std::vector<Change>& changes) noexcept {
    try {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        for (const Change& change : changes)
            if (change.scope == ChangeScope::Folder) dirty_.insert(change.row);
    } catch (...) {
        // Out of memory: the next comparison with the store catches the change up.
        std::lock_guard lock(mutex_);
        compare_ = true;
    }
    wake_.notify_one();
}

void Mirror::changedElsewhere() noexcept {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        compare_ = true;
    }
    wake_.notify_one();
}

void Mirror::detach() noexcept {
    std::unique_lock lock(mutex_);
    if (stopping_) {
        idle_.wait(lock, [&] { return detached_; });
        return;
    }
    stopping_ = true;
    lock.unlock();
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    lock.lock();
    detached_ = true;
    idle_.notify_all();
}

void Mirror::setReporter(Reporter report) {
    std::lock_guard lock(mutex_);
    options_.report = std::move(report);
}

MirrorCounts Mirror::rewriteAll() {
    std::unique_lock lock(mutex_);
    if (stopping_) return {};
    force_ = true;
    const std::uint64_t request = ++forceRequested_;
    wake_.notify_one();
    idle_.wait(lock, [&] { return forceDone_ >= request || detached_; });
    return lastForced_;
}

void Mirror::flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [&] { return detached_ || (!hasWork() && !busy_); });
}

MirrorCounts Mirror::totals() const {
    std::lock_guard lock(mutex_);
    return totals_;
}

void Mirror::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        const bool woken =
            wake_.wait_for(lock, options_.retryInterval, [&] { return stopping_ || hasWork(); });
        if (stopping_ && !hasWork()) break;
        // Nothing new: only files that failed before are tried again.
        if (!woken && failed_.empty() && !retryCompare_) continue;

        Work work;
        work.force = std::exchange(force_, false);
        work.compare = std::exchange(compare_, false) || work.force;
        work.compare = std::exchange(retryCompare_, false) || work.compare;
        work.items = std::move(dirty_);
        dirty_.clear();
        work.items.merge(failed_);
        failed_.clear();
        const std::uint64_t forceRequest = work.force ? forceRequested_ : 0;
        busy_ = true;
        lock.unlock();

        const Outcome outcome = perform(std::move(work));

        lock.lock();
        failed_.insert(outcome.failedItems.begin(), outcome.failedItems.end());
        retryCompare_ = outcome.compareFailed;
        totals_.written += outcome.counts.written;
        totals_.removed += outcome.counts.removed;
        totals_.failed += outcome.counts.failed;
        if (totals_.firstError.empty()) totals_.firstError = outcome.counts.firstError;
        // Reported once while the trouble lasts: again only after a round that went well.
        const bool report = !outcome.counts.firstError.empty() && !reported_;
        if (outcome.counts.firstError.empty() &&
            (outcome.counts.written > 0 || outcome.counts.removed > 0))
            reported_ = false;
        if (report) reported_ = true;
        if (report && options_.report) {
            const Reporter reporter = options_.report;
            lock.unlock();
            reporter("cannot write the mirror folder " + options_.root.string() + ": " +
                     outcome.counts.firstError + " (trying again later)");
            lock.lock();
        }
        // Only now is the round over: whoever waits for it also finds it reported.
        busy_ = false;
        if (forceRequest) {
            lastForced_ = outcome.counts;
            forceDone_ = forceRequest;
        }
        idle_.notify_all();
    }
}

Mirror::Outcome Mirror::perform(Work work) {
    Outcome outcome;
    if (work.compare) compare(work, outcome);
    const bool batch = work.items.size() >= kBatchWrite;
    const auto durability = batch ? platform::Durability::Deferred : platform::Durability::Synced;
    for (const std::int64_t item : work.items)
        syncItem(item, durability, work.compare, outcome);
    std::string error;
    if (batch && outcome.counts.written > 0 && !platform::syncFileSystem(options_.root, &error) &&
        outcome.counts.firstError.empty())
        outcome.counts.firstError = error;
    return outcome;
}

void Mirror::compare(Work& work, Outcome& outcome) {
    struct Expected {
        std::int64_t item;
        timespec modified;
    };
    // By folder and UID, what the files should be.
    std::map<std::pair<MirrorFolder, std::string>, Expected> expected;
    try {
        for (const ItemStamp& stamp : store_.itemStamps()) {
            const auto place = placeOf(store_, stamp.folder, stamp.messageClass);
            if (!place) continue;
            expected[{*place, uidOf(store_.itemEntryId(stamp.id))}] = {
                stamp.id, modificationTimeOf(stamp.modified)};
        }
    } catch (const std::exception& e) {
        outcome.compareFailed = true;
        ++outcome.counts.failed;
        if (outcome.counts.firstError.empty())
            outcome.counts.firstError = std::string("cannot read the store: ") + e.what();
        return;
    }

    std::set<std::pair<MirrorFolder, std::string>> upToDate;
    for (const MirrorFolder folder : kMirrorFolders) {
        const fs::path directory = options_.root / folderName(folder);
        std::error_code error;
        fs::directory_iterator entries(directory, error);
        if (error) continue;  // not there yet (or unreadable: writing will say so)
        for (const auto& entry : entries) {
            const std::string name = entry.path().filename().string();
            if (const auto target = platform::targetOfTemporaryName(name)) {
                if (isOurs(folder, *target)) removeIfAbandoned(entry.path());
                continue;
            }
            if (!isOurs(folder, name)) continue;
            const auto it = expected.find({folder, *uidOfFileName(folder, name)});
            if (it == expected.end()) {
                remove(entry.path(), outcome);
                continue;
            }
            struct stat status {};
            if (::stat(entry.path().c_str(), &status) != 0) continue;
            if (!work.force && status.st_size > 0 &&
                status.st_mtim.tv_sec == it->second.modified.tv_sec &&
                status.st_mtim.tv_nsec == it->second.modified.tv_nsec)
                upToDate.insert(it->first);
        }
    }
    for (const auto& [key, item] : expected)
        if (!upToDate.count(key)) work.items.insert(item.item);
}

// Files of other programs, and of another store sharing the folder, are left alone.
bool Mirror::isOurs(MirrorFolder folder, std::string_view fileName) const {
    const auto uid = uidOfFileName(folder, fileName);
    const auto entryId = uid ? entryIdOfUid(*uid) : std::nullopt;
    return entryId && store_.parse(*entryId);
}

void Mirror::removeIfAbandoned(const fs::path& temporary) const {
    using namespace std::chrono;
    struct stat status {};
    if (::lstat(temporary.c_str(), &status) != 0) return;
    const system_clock::time_point changed(duration_cast<system_clock::duration>(
        seconds(status.st_ctim.tv_sec) + nanoseconds(status.st_ctim.tv_nsec)));
    if (system_clock::now() - changed < options_.abandonedTemporaryAge) return;
    // One that cannot be removed does no harm: it is hidden, and no reader takes it for an
    // item.
    ::unlink(temporary.c_str());
}

bool Mirror::remove(const fs::path& file, Outcome& outcome) {
    if (::unlink(file.c_str()) == 0) {
        ++outcome.counts.removed;
        return true;
    }
    // Gone already, or its folder is not a folder: nothing to remove.
    if (errno == ENOENT || errno == ENOTDIR) return true;
    if (outcome.counts.firstError.empty())
        outcome.counts.firstError = "cannot remove " + file.string() + ": " + std::strerror(errno);
    return false;
}

void Mirror::syncItem(std::int64_t item, platform::Durability durability, bool compared,
                      Outcome& outcome) {
    const auto fail = [&](std::string reason) {
        outcome.failedItems.insert(item);
        ++outcome.counts.failed;
        if (outcome.counts.firstError.empty()) outcome.counts.firstError = std::move(reason);
    };
    const std::string uid = uidOf(store_.itemEntryId(item));
    std::optional<ItemRecord> record;
    std::optional<MirrorFolder> place;
    std::string text;
    try {
        record = store_.loadItem(item);
        if (record) place = placeOf(store_, record->folder, record->props.string(PR_MESSAGE_CLASS));
        if (place)
            text = *place == MirrorFolder::Contacts ? vCardOf(*record, store_.known(), uid)
                                                    : calendarOf(store_, *record);
    } catch (const std::exception& e) {
        fail(std::string("cannot read the store: ") + e.what());
        return;
    }

    // An item whose kind changed leaves a file in another folder; after a comparison, which
    // has removed such files already, a file being written needs no such look.
    bool removed = true;
    for (const MirrorFolder folder : kMirrorFolders)
        if (folder != place && !(compared && place))
            removed =
                remove(options_.root / folderName(folder) / fileNameOf(folder, uid), outcome) &&
                removed;
    if (!place) {
        if (!removed) fail(outcome.counts.firstError);
        return;
    }

    const timespec modified = modificationTimeOf(record->props.time(PR_LAST_MODIFICATION_TIME));
    // A time that cannot be set only means the next comparison writes the file again.
    const auto stamp = [&](const fs::path& temporary) {
        const timespec times[2] = {modified, modified};
        ::utimensat(AT_FDCWD, temporary.c_str(), times, 0);
        return true;
    };
    std::string error;
    const fs::path target = options_.root / folderName(*place) / fileNameOf(*place, uid);
    if (!platform::writeFileAtomically(target, text, 0600, &error, stamp, durability)) {
        fail(error);
        return;
    }
    ++outcome.counts.written;
}

}  // namespace outlook::local::mirror
