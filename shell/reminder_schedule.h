#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/registry.h"
#include "shell/reminder.h"
#include "shell/reminder_items.h"
#include "shell/reminder_notifier.h"

namespace shell {

// Rings every reminder of the store on time: one timer on the event loop, armed for the next
// reminder due, and a fresh reading of the store whenever it changes (this program's change or
// another process's), so that items added, moved, changed or deleted meanwhile ring when they
// now should, or not at all. The "On" setting turns reminders off.
//
// Each reminder rings once per run: at Start, those that fell due while the program was not
// running ring together, once; afterwards each rings when it falls due. A snooze keeps the
// time it rings again on the item, as its ReminderTime, so it survives a restart; dismissing
// turns the item's reminder off, or moves a repeating item's on to its next occurrence.
class TReminderSchedule {
public:
    TReminderSchedule(TReminderItems& items, ReminderNotifier& notifier,
                      const platform::WallClock& clock, platform::EventLoop& loop,
                      platform::Registry& registry);
    ~TReminderSchedule();
    TReminderSchedule(const TReminderSchedule&) = delete;
    TReminderSchedule& operator=(const TReminderSchedule&) = delete;

    // Starts watching the store, rings what is due and arms the timer. False when the store
    // cannot be watched: reminders then follow its changes only at the timer's wake-ups.
    bool Start();
    void Stop();
    // Reads the store and the setting again; rings what is due and arms the timer.
    void Refresh();

    // Both write to the store; false when the item is gone or the store failed.
    bool Snooze(const Reminder& reminder, std::chrono::minutes by);
    bool Dismiss(const Reminder& reminder);

    // The reminders of the items as last read, due or not, earliest first.
    const std::vector<Reminder>& Reminders() const { return reminders_; }
    // When the timer wakes the schedule next; nothing when it sleeps until the store changes.
    std::optional<std::chrono::local_seconds> NextWakeUp() const { return wakeUp_; }

private:
    using Key = std::pair<std::string, std::chrono::local_seconds>;

    void ringDue();
    void arm();
    void disarm();
    void changed();

    TReminderItems& items_;
    ReminderNotifier& notifier_;
    const platform::WallClock& clock_;
    platform::EventLoop& loop_;
    platform::Registry& registry_;
    std::vector<Reminder> reminders_;
    // The reminders rung in this run, by item and due time.
    std::set<Key> rung_;
    platform::EventLoop::TimerId timer_ = 0;
    std::optional<std::chrono::local_seconds> wakeUp_;
    bool started_ = false;
    bool refreshPosted_ = false;
    // Lets a posted reading find out whether the schedule still exists.
    std::shared_ptr<TReminderSchedule*> self_;
    // Whether the last reading failed, so that the timer tries again soon.
    bool readFailed_ = false;
};

}  // namespace shell
