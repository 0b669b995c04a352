#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/locale.h"
#include "shell/action_notifier.h"
#include "shell/reminder_items.h"
#include "shell/reminder_notifier.h"
#include "shell/reminder_schedule.h"
#include "shell/reminders_view.h"

namespace shell {

// Shows the reminders that ring: one desktop notification each, with Snooze, Dismiss and Open,
// where the desktop's notification server shows actions; else in the reminders window, which
// lists every reminder due and not yet answered.
//
// The schedule rings through this object and this object answers through the schedule, so
// the schedule is attached after both exist (and detached before it goes).
class TReminderPresenter : public ReminderNotifier {
public:
    static constexpr std::chrono::minutes kNotificationSnooze{5};
    static constexpr const char* kCategory = "x-jotwise.reminder";
    static constexpr const char* kSnoozeAction = "snooze";
    static constexpr const char* kDismissAction = "dismiss";

    TReminderPresenter(ActionNotifier& notifier, TReminderItems& items,
                       const platform::WallClock& clock, platform::ShortDateFormat dateFormat);
    // Takes its notifications away: their buttons would answer no one.
    ~TReminderPresenter() override;
    TReminderPresenter(const TReminderPresenter&) = delete;
    TReminderPresenter& operator=(const TReminderPresenter&) = delete;

    void SetSchedule(TReminderSchedule* schedule) { schedule_ = schedule; }
    void SetView(RemindersView* view) { view_ = view; }

    // ReminderNotifier
    void Remind(const std::vector<Reminder>& due) override;
    void Changed(const std::vector<Reminder>& reminders) override;

    // The reminders window's buttons, for the row of the item `entryId`.
    void btnOpenClick(const std::string& entryId);
    void btnSnoozeClick(const std::string& entryId, std::chrono::minutes by);
    void btnDismissClick(const std::string& entryId);

    // The reminders rung and not yet answered, in the window or as notifications.
    std::vector<Reminder> Waiting() const;

private:
    struct Shown {
        Reminder reminder;
        // The notification's id; 0 for a row of the window.
        unsigned notification = 0;
    };

    bool notify(const Reminder& reminder);
    void answered(const std::string& entryId, const std::string& action);
    void forget(const std::string& entryId);
    const Shown* find(const std::string& entryId) const;
    void updateView(bool raise);

    ActionNotifier& notifier_;
    TReminderItems& items_;
    const platform::WallClock& clock_;
    platform::ShortDateFormat dateFormat_;
    TReminderSchedule* schedule_ = nullptr;
    RemindersView* view_ = nullptr;
    // At most one per item, in the order they rang.
    std::vector<Shown> shown_;
    // Lets a notification's answer find out whether this object still exists.
    std::shared_ptr<TReminderPresenter*> self_;
};

}  // namespace shell
