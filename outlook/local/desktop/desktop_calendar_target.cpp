#include "outlook/local/desktop/desktop_calendar_target.h"

#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "outlook/local/desktop/desktop_module.h"
#include "outlook/local/mirror/calendar_writer.h"
#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/store.h"

namespace outlook::local::desktop {

using namespace mapi;

namespace {

// Once the finish timeout has passed and the call going on is cancelled, how long detach()
// waits for the thread before it leaves it to end on its own.
constexpr std::chrono::seconds kCancelGrace{1};

std::size_t indexOf(DesktopList list) {
    return static_cast<std::size_t>(list);
}

// The list an item of this kind in this folder goes to; the desktop's address book is not
// written to.
std::optional<DesktopList> listOf(Store& store, std::int64_t folder,
                                  std::string_view messageClass) {
    const FolderRecord* record = store.folderById(folder);
    if (!record) return std::nullopt;
    const auto place = mirror::mirrorFolderOf(itemKindFromMessageClass(messageClass), record->kind);
    if (!place) return std::nullopt;
    switch (*place) {
        case mirror::MirrorFolder::Calendar:
            return DesktopList::Calendar;
        case mirror::MirrorFolder::Tasks:
            return DesktopList::Tasks;
        case mirror::MirrorFolder::Journal:
            return DesktopList::Memos;
        case mirror::MirrorFolder::Contacts:
            return std::nullopt;
    }
    return std::nullopt;
}

// The version of an item a component was written from.
std::string stampOf(std::optional<FileTime> modified) {
    return std::to_string(modified ? modified->ticks : 0);
}

}  // namespace

std::unique_ptr<DesktopCalendar> connectDesktopCalendar(const DesktopSources& sources,
                                                        std::string& reason) {
    void* function = desktopModuleFunction(kDesktopCalendarFactory, reason);
    if (!function) return nullptr;
    std::unique_ptr<DesktopCalendar> calendar(
        reinterpret_cast<DesktopCalendarFactory>(function)(sources));
    if (!calendar) reason = "out of memory";
    return calendar;
}

struct DesktopCalendarTarget::State {
    struct Work {
        bool compare = false;
        std::set<std::int64_t> items;
    };
    struct Outcome {
        DesktopCounts counts;
        std::set<std::int64_t> failedItems;
        bool compareFailed = false;
        bool unavailable = false;  // the first error is that nothing could be reached
    };

    State(Store& store, Options options) : options(std::move(options)), store(&store) {}

    bool hasWork() const { return compare || !dirty.empty(); }
    void run();
    Outcome perform(Work work);
    DesktopCalendar* calendarFor(Outcome& outcome);
    DesktopResult syncItem(DesktopCalendar& calendar, std::int64_t item, Outcome& outcome);
    DesktopResult compareLists(DesktopCalendar& calendar, std::set<std::int64_t>& stale,
                               Outcome& outcome);
    DesktopResult removeComponent(DesktopCalendar& calendar, DesktopList list,
                                  const std::string& uid, Outcome& outcome);
    bool isOurs(const std::string& uid);
    bool abandoned() {
        std::lock_guard lock(mutex);
        return giveUp;
    }
    static void note(Outcome& outcome, DesktopResult result, const std::string& error) {
        if (!outcome.counts.firstError.empty()) return;
        outcome.counts.firstError = error;
        outcome.unavailable = result == DesktopResult::Unavailable;
    }

    const Options options;

    // The thread reads the store only with this held, and not at all once it is null.
    std::mutex storeMutex;
    Store* store;

    mutable std::mutex mutex;
    std::condition_variable wake;  // work arrived, or stop
    std::condition_variable idle;  // a round of work ended, or the thread did
    std::set<std::int64_t> dirty;
    std::set<std::int64_t> failed;
    bool compare = true;  // the first round compares the store with the lists
    bool retryCompare = false;
    bool busy = false;
    bool stopping = false;
    bool giveUp = false;  // detach() stopped waiting: cancel, and use the store no more
    bool finished = false;
    bool detached = false;
    bool reported = false;
    DesktopCounts totals;
    std::unique_ptr<DesktopCalendar> calendar;  // made by the thread, under the mutex

    // What the lists held of ours, as last listed and changed since: where to remove an item's
    // component from. Only the thread uses it.
    std::array<std::set<std::string>, std::size(kDesktopLists)> known;
};

DesktopCalendarTarget::DesktopCalendarTarget(Store& store, Options options)
    : sources_(options.sources), state_(std::make_shared<State>(store, std::move(options))) {
    thread_ = std::thread([state = state_] { state->run(); });
}

DesktopCalendarTarget::~DesktopCalendarTarget() {
    detach();
}

void DesktopCalendarTarget::committed(const std::vector<Change>& changes) noexcept {
    State& state = *state_;
    try {
        std::lock_guard lock(state.mutex);
        if (state.stopping) return;
        for (const Change& change : changes)
            if (change.scope == ChangeScope::Folder) state.dirty.insert(change.row);
    } catch (...) {
        // Out of memory: the next comparison with the store catches the change up.
        std::lock_guard lock(state.mutex);
        state.compare = true;
    }
    state.wake.notify_one();
}

void DesktopCalendarTarget::changedElsewhere() noexcept {
    State& state = *state_;
    {
        std::lock_guard lock(state.mutex);
        if (state.stopping) return;
        state.compare = true;
    }
    state.wake.notify_one();
}

void DesktopCalendarTarget::detach() noexcept {
    State& state = *state_;
    std::unique_lock lock(state.mutex);
    if (state.stopping) {
        state.idle.wait(lock, [&] { return state.detached; });
        return;
    }
    state.stopping = true;
    state.wake.notify_all();
    bool ended =
        state.idle.wait_for(lock, state.options.finishTimeout, [&] { return state.finished; });
    if (!ended) {
        state.giveUp = true;
        if (state.calendar) state.calendar->cancel();
        lock.unlock();
        {
            std::lock_guard storeLock(state.storeMutex);
            state.store = nullptr;
        }
        lock.lock();
        ended = state.idle.wait_for(lock, kCancelGrace, [&] { return state.finished; });
    }
    lock.unlock();
    // A thread stuck in a call that does not heed the cancel keeps the state alive and ends by
    // itself; it no longer uses the store.
    if (thread_.joinable()) {
        if (ended)
            thread_.join();
        else
            thread_.detach();
    }
    lock.lock();
    state.detached = true;
    state.idle.notify_all();
}

void DesktopCalendarTarget::flush() {
    State& state = *state_;
    std::unique_lock lock(state.mutex);
    state.idle.wait(lock, [&] { return state.finished || (!state.hasWork() && !state.busy); });
}

DesktopCounts DesktopCalendarTarget::totals() const {
    std::lock_guard lock(state_->mutex);
    return state_->totals;
}

void DesktopCalendarTarget::State::run() {
    std::unique_lock lock(mutex);
    for (;;) {
        const bool woken =
            wake.wait_for(lock, options.retryInterval, [&] { return stopping || hasWork(); });
        if (giveUp || (stopping && !hasWork())) break;
        // Nothing new: only what failed before is tried again.
        if (!woken && failed.empty() && !retryCompare) continue;

        Work work;
        work.compare = std::exchange(compare, false);
        work.compare = std::exchange(retryCompare, false) || work.compare;
        work.items = std::move(dirty);
        dirty.clear();
        work.items.merge(failed);
        failed.clear();
        busy = true;
        lock.unlock();

        const Outcome outcome = perform(std::move(work));

        lock.lock();
        failed.insert(outcome.failedItems.begin(), outcome.failedItems.end());
        retryCompare = outcome.compareFailed;
        totals.written += outcome.counts.written;
        totals.removed += outcome.counts.removed;
        totals.failed += outcome.counts.failed;
        if (totals.firstError.empty()) totals.firstError = outcome.counts.firstError;
        // Reported once while the trouble lasts: again only after a round that went well.
        const bool trouble = !outcome.counts.firstError.empty();
        const bool report = trouble && !reported && !giveUp;
        reported = trouble;
        if (report && options.report) {
            const mirror::Reporter reporter = options.report;
            const std::string message =
                (outcome.unavailable ? "the desktop calendar cannot be reached: "
                                     : "the desktop calendar did not take an item: ") +
                outcome.counts.firstError + " (trying again later)";
            lock.unlock();
            reporter(message);
            lock.lock();
        }
        busy = false;
        idle.notify_all();
    }
    finished = true;
    idle.notify_all();
}

DesktopCalendar* DesktopCalendarTarget::State::calendarFor(Outcome& outcome) {
    {
        std::lock_guard lock(mutex);
        if (calendar) return calendar.get();
    }
    std::string reason;
    std::unique_ptr<DesktopCalendar> made;
    try {
        made = options.connect(options.sources, reason);
    } catch (const std::exception& e) {
        reason = e.what();
    }
    if (!made) {
        note(outcome, DesktopResult::Unavailable, reason);
        return nullptr;
    }
    std::lock_guard lock(mutex);
    calendar = std::move(made);
    if (giveUp) calendar->cancel();
    return calendar.get();
}

DesktopCalendarTarget::State::Outcome DesktopCalendarTarget::State::perform(Work work) {
    Outcome outcome;
    DesktopCalendar* calendar = calendarFor(outcome);
    std::set<std::int64_t> pending = std::move(work.items);
    std::set<std::int64_t> done;
    // Writes what is pending until the desktop's calendar cannot be reached, or detach() gave
    // up on it; what is left stays pending.
    const auto syncPending = [&] {
        for (auto it = pending.begin(); calendar && it != pending.end();) {
            if (abandoned()) return;
            if (syncItem(*calendar, *it, outcome) == DesktopResult::Unavailable) {
                pending.erase(it);  // counted as failed already
                calendar = nullptr;
                return;
            }
            done.insert(*it);
            it = pending.erase(it);
        }
    };
    // The items noticed go first: a program about to end (`jotwise add`) has its own item
    // written before the comparison, which takes a while on a large store.
    syncPending();
    if (work.compare && calendar && !abandoned()) {
        std::set<std::int64_t> stale;
        if (compareLists(*calendar, stale, outcome) == DesktopResult::Unavailable) {
            calendar = nullptr;
        } else {
            for (const std::int64_t item : stale)
                if (!done.count(item)) pending.insert(item);
            syncPending();
        }
    } else if (work.compare) {
        outcome.compareFailed = true;
    }
    if (!pending.empty()) {
        // Not reached: all of it waits for the next round, which compares again.
        outcome.failedItems.insert(pending.begin(), pending.end());
        outcome.counts.failed += pending.size();
        outcome.compareFailed = true;
    }
    return outcome;
}

bool DesktopCalendarTarget::State::isOurs(const std::string& uid) {
    const auto entryId = mirror::entryIdOfUid(uid);
    if (!entryId) return false;
    std::lock_guard lock(storeMutex);
    return store && store->parse(*entryId);
}

DesktopResult DesktopCalendarTarget::State::removeComponent(DesktopCalendar& calendar,
                                                            DesktopList list,
                                                            const std::string& uid,
                                                            Outcome& outcome) {
    std::string error;
    const DesktopResult result = calendar.remove(list, uid, error);
    if (result != DesktopResult::Done) {
        note(outcome, result, error);
        return result;
    }
    known[indexOf(list)].erase(uid);
    ++outcome.counts.removed;
    return result;
}

DesktopResult DesktopCalendarTarget::State::syncItem(DesktopCalendar& calendar, std::int64_t item,
                                                     Outcome& outcome) {
    const auto fail = [&](DesktopResult result, const std::string& error) {
        outcome.failedItems.insert(item);
        ++outcome.counts.failed;
        note(outcome, result, error);
        return result;
    };
    std::string uid, text, stamp;
    std::optional<DesktopList> place;
    try {
        std::lock_guard lock(storeMutex);
        if (!store) return fail(DesktopResult::Unavailable, "stopped");
        uid = mirror::uidOf(store->itemEntryId(item));
        const std::optional<ItemRecord> record = store->loadItem(item);
        if (record) place = listOf(*store, record->folder, record->props.string(PR_MESSAGE_CLASS));
        if (place) {
            text = mirror::calendarOf(*store, *record);
            stamp = stampOf(record->props.time(PR_LAST_MODIFICATION_TIME));
        }
    } catch (const std::exception& e) {
        return fail(DesktopResult::Refused, std::string("cannot read the store: ") + e.what());
    }

    if (place) {
        std::string error;
        const DesktopResult result = calendar.put(*place, text, stamp, error);
        if (result != DesktopResult::Done) return fail(result, error);
        known[indexOf(*place)].insert(uid);
        ++outcome.counts.written;
    }
    // An item that is gone, in Deleted Items or of another kind now leaves the lists it was in.
    for (const DesktopList list : kDesktopLists) {
        if (list == place || !known[indexOf(list)].count(uid)) continue;
        const DesktopResult result = removeComponent(calendar, list, uid, outcome);
        if (result != DesktopResult::Done) return fail(result, outcome.counts.firstError);
    }
    return DesktopResult::Done;
}

DesktopResult DesktopCalendarTarget::State::compareLists(DesktopCalendar& calendar,
                                                         std::set<std::int64_t>& stale,
                                                         Outcome& outcome) {
    struct Expected {
        std::int64_t item;
        std::string stamp;
    };
    std::map<std::pair<DesktopList, std::string>, Expected> expected;
    try {
        std::lock_guard lock(storeMutex);
        if (!store) return DesktopResult::Unavailable;
        for (const ItemStamp& itemStamp : store->itemStamps()) {
            const auto place = listOf(*store, itemStamp.folder, itemStamp.messageClass);
            if (!place) continue;
            expected[{*place, mirror::uidOf(store->itemEntryId(itemStamp.id))}] = {
                itemStamp.id, stampOf(itemStamp.modified)};
        }
    } catch (const std::exception& e) {
        outcome.compareFailed = true;
        ++outcome.counts.failed;
        note(outcome, DesktopResult::Refused, std::string("cannot read the store: ") + e.what());
        return DesktopResult::Refused;
    }

    for (const DesktopList list : kDesktopLists) {
        std::vector<DesktopComponent> components;
        std::string error;
        const DesktopResult result = calendar.list(list, components, error);
        if (result != DesktopResult::Done) {
            note(outcome, result, error);
            outcome.compareFailed = true;
            if (result == DesktopResult::Unavailable) return result;
            continue;
        }
        std::set<std::string>& ours = known[indexOf(list)];
        ours.clear();
        for (const DesktopComponent& component : components) {
            // Components of other programs, and of another store, are left alone.
            if (!isOurs(component.uid)) continue;
            ours.insert(component.uid);
            const auto it = expected.find({list, component.uid});
            if (it == expected.end()) {
                const DesktopResult removed =
                    removeComponent(calendar, list, component.uid, outcome);
                if (removed == DesktopResult::Unavailable) return removed;
                if (removed != DesktopResult::Done) outcome.compareFailed = true;
            } else if (it->second.stamp == component.stamp) {
                expected.erase(it);
            }
        }
    }
    for (const auto& [key, item] : expected)
        stale.insert(item.item);
    return DesktopResult::Done;
}

}  // namespace outlook::local::desktop
