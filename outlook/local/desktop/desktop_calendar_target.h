#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include "outlook/local/desktop/desktop_calendar.h"
#include "outlook/local/mirror/mirror.h"
#include "outlook/local/store/change_observer.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::desktop {

// Makes the calendar to write to; null with the reason when there is none (the module cannot
// be loaded).
using DesktopCalendarConnector =
    std::function<std::unique_ptr<DesktopCalendar>(const DesktopSources& sources, std::string&)>;
// The desktop module's calendar.
std::unique_ptr<DesktopCalendar> connectDesktopCalendar(const DesktopSources& sources,
                                                        std::string& reason);

struct DesktopCounts {
    std::size_t written = 0;  // components created or replaced
    std::size_t removed = 0;  // components removed
    std::size_t failed = 0;   // items that could not be written or removed
    std::string firstError;
};

// Keeps the store's calendar items in the desktop's calendar (Evolution Data Server):
// appointments and meeting requests in its calendar, tasks and task requests in its task list,
// notes and journal entries in its memo list, each as the vdir mirror writes it (the same
// component, the same UID).
//
// Like the mirror it hears of committed changes as the store's change observer and writes on a
// thread of its own, so a save never waits for the desktop's services and never fails because
// of them. Each component carries the item's last modification time as a stamp: at start, on
// changes made by other processes and after a failure, the thread compares the store with the
// lists and writes only what differs, and removes components of ours whose items are gone.
// Components of other programs are never touched.
//
// When the desktop's calendar cannot be reached it is reported once (again only after writing
// has worked in between); what was missed is caught up by the comparison on the next change or
// after `retryInterval`.
class DesktopCalendarTarget : public ChangeObserver {
public:
    struct Options {
        DesktopSources sources;
        mirror::Reporter report = mirror::reportOnStandardError;
        DesktopCalendarConnector connect = connectDesktopCalendar;
        std::chrono::milliseconds retryInterval{std::chrono::seconds(30)};
        // How long detach() lets the thread finish what it noticed before it gives up on the
        // desktop's services: a program that ends (`jotwise add`) waits no longer than this.
        std::chrono::milliseconds finishTimeout{std::chrono::seconds(4)};
    };

    // The thread starts at once and first compares the store with the lists. The store must
    // outlive the target or detach it first (the store does so when it closes).
    DesktopCalendarTarget(Store& store, Options options);
    ~DesktopCalendarTarget() override;
    DesktopCalendarTarget(const DesktopCalendarTarget&) = delete;
    DesktopCalendarTarget& operator=(const DesktopCalendarTarget&) = delete;

    const DesktopSources& sources() const { return sources_; }

    void committed(const std::vector<Change>& changes) noexcept override;
    void changedElsewhere() noexcept override;
    // Finishes what is noticed so far, for at most the finish timeout; then the call to the
    // desktop's services going on is cancelled, and the store is no longer used.
    void detach() noexcept override;

    // Returns once everything noticed so far is written or has failed.
    void flush();
    // What the thread has done since the target started.
    DesktopCounts totals() const;

private:
    struct State;

    DesktopSources sources_;
    std::shared_ptr<State> state_;  // shared with the thread, which may outlive a detach
    std::thread thread_;
};

}  // namespace outlook::local::desktop
