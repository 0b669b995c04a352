#pragma once

#include "outlook/session/data_store.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/registry.h"
#include "shell/action_notifier.h"
#include "shell/reminder_items.h"
#include "shell/reminder_presenter.h"
#include "shell/reminder_schedule.h"
#include "shell/ui/reminders_window.h"

namespace shell::ui {

// The running program's reminders: the store's items that remind, the schedule that rings
// them, and where they show (notifications, else the reminders window). Made once the session
// exists and gone before it goes.
class ProgramReminders {
public:
    ProgramReminders(outlook::TDataStore& session, ActionNotifier& notifier,
                     const platform::WallClock& clock, platform::EventLoop& loop,
                     platform::Registry& registry);
    ~ProgramReminders();
    ProgramReminders(const ProgramReminders&) = delete;
    ProgramReminders& operator=(const ProgramReminders&) = delete;

    TReminderSchedule& schedule() { return schedule_; }
    TReminderPresenter& presenter() { return presenter_; }
    RemindersWindow& window() { return window_; }

private:
    TReminderItems items_;
    TReminderPresenter presenter_;
    RemindersWindow window_;
    TReminderSchedule schedule_;
};

}  // namespace shell::ui
