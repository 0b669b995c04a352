#include "shell/reminder_presenter.h"

#include <algorithm>

#include "shell/reminder_text.h"

namespace shell {
namespace {

using namespace std::chrono;

const Reminder* current(const std::vector<Reminder>& reminders, const std::string& entryId) {
    const auto found = std::find_if(reminders.begin(), reminders.end(),
                                    [&](const Reminder& r) { return r.item.entryId == entryId; });
    return found == reminders.end() ? nullptr : &*found;
}

// Whether a reminder shown earlier still waits for an answer, now that the store holds
// `now` for its item. A snooze (here or by another program) or a new time moves the item's
// reminder to later; a repeating appointment moves on to its next occurrence by itself once
// one has begun, and the one shown stays until answered.
bool stillWaiting(const Reminder& shown, const Reminder& fresh, local_seconds now) {
    if (fresh.due <= now) return true;
    return shown.item.repeat && fresh.item.reminderTime == shown.item.reminderTime &&
           fresh.item.start == shown.item.start;
}

}  // namespace

TReminderPresenter::TReminderPresenter(ActionNotifier& notifier, TReminderItems& items,
                                       const platform::WallClock& clock,
                                       platform::ShortDateFormat dateFormat)
    : notifier_(notifier),
      items_(items),
      clock_(clock),
      dateFormat_(std::move(dateFormat)),
      self_(std::make_shared<TReminderPresenter*>(this)) {}

TReminderPresenter::~TReminderPresenter() {
    for (const Shown& shown : shown_)
        if (shown.notification) notifier_.Close(shown.notification);
}

void TReminderPresenter::Remind(const std::vector<Reminder>& due) {
    const bool actions = notifier_.ShowsActions();
    bool toWindow = false;
    for (const Reminder& reminder : due) {
        // A reminder that rings again (after a snooze) takes the place of the one shown before.
        forget(reminder.item.entryId);
        if (actions && notify(reminder)) continue;
        // Without a server that shows actions, or when it did not take this one.
        shown_.push_back({reminder, 0});
        toWindow = true;
    }
    if (toWindow) updateView(true);
}

bool TReminderPresenter::notify(const Reminder& reminder) {
    ActionNotification notification;
    notification.summary = reminder.item.subject;
    notification.body = ReminderBody(reminder, clock_.now(), dateFormat_);
    notification.category = kCategory;
    notification.actions = {{kSnoozeAction, "Snooze 5 min"},
                            {kDismissAction, "Dismiss"},
                            {ActionNotification::kDefaultAction, "Open"}};
    const unsigned id =
        notifier_.Show(notification, [self = std::weak_ptr<TReminderPresenter*>(self_),
                                      entryId = reminder.item.entryId](const std::string& action) {
            if (const auto presenter = self.lock()) (*presenter)->answered(entryId, action);
        });
    if (!id) return false;
    shown_.push_back({reminder, id});
    return true;
}

void TReminderPresenter::answered(const std::string& entryId, const std::string& action) {
    const Shown* shown = find(entryId);
    if (!shown) return;
    // The notification is gone once answered.
    const Reminder reminder = shown->reminder;
    shown_.erase(shown_.begin() + (shown - shown_.data()));
    if (action == kSnoozeAction) {
        if (schedule_) schedule_->Snooze(reminder, kNotificationSnooze);
    } else if (action == kDismissAction) {
        if (schedule_) schedule_->Dismiss(reminder);
    } else if (action == ActionNotification::kDefaultAction) {
        btnOpenClick(entryId);
    }
}

void TReminderPresenter::Changed(const std::vector<Reminder>& reminders) {
    const local_seconds now = clock_.now();
    bool windowChanged = false;
    std::vector<Shown> kept;
    for (Shown& shown : shown_) {
        const Reminder* fresh = current(reminders, shown.reminder.item.entryId);
        if (fresh && stillWaiting(shown.reminder, *fresh, now)) {
            if (fresh->due <= now) {
                windowChanged |=
                    !shown.notification && (fresh->item.subject != shown.reminder.item.subject ||
                                            fresh->item.location != shown.reminder.item.location);
                shown.reminder = *fresh;
            }
            kept.push_back(std::move(shown));
            continue;
        }
        if (shown.notification)
            notifier_.Close(shown.notification);
        else
            windowChanged = true;
    }
    shown_ = std::move(kept);
    if (windowChanged) updateView(false);
}

void TReminderPresenter::btnOpenClick(const std::string& entryId) {
    try {
        items_.Display(entryId);
    } catch (const outlook::AutomationError&) {
        // The item is gone: the next reading of the store takes its reminder away.
    }
}

void TReminderPresenter::btnSnoozeClick(const std::string& entryId, minutes by) {
    const Shown* shown = find(entryId);
    if (!shown || !schedule_) return;
    const Reminder reminder = shown->reminder;
    if (schedule_->Snooze(reminder, by)) forget(entryId);
    updateView(false);
}

void TReminderPresenter::btnDismissClick(const std::string& entryId) {
    const Shown* shown = find(entryId);
    if (!shown || !schedule_) return;
    const Reminder reminder = shown->reminder;
    if (schedule_->Dismiss(reminder)) forget(entryId);
    updateView(false);
}

std::vector<Reminder> TReminderPresenter::Waiting() const {
    std::vector<Reminder> waiting;
    for (const Shown& shown : shown_)
        waiting.push_back(shown.reminder);
    return waiting;
}

void TReminderPresenter::forget(const std::string& entryId) {
    const auto found = std::find_if(shown_.begin(), shown_.end(), [&](const Shown& shown) {
        return shown.reminder.item.entryId == entryId;
    });
    if (found == shown_.end()) return;
    const unsigned notification = found->notification;
    shown_.erase(found);
    if (notification) notifier_.Close(notification);
}

const TReminderPresenter::Shown* TReminderPresenter::find(const std::string& entryId) const {
    for (const Shown& shown : shown_)
        if (shown.reminder.item.entryId == entryId) return &shown;
    return nullptr;
}

void TReminderPresenter::updateView(bool raise) {
    if (!view_) return;
    std::vector<const Shown*> listed;
    for (const Shown& shown : shown_)
        if (!shown.notification) listed.push_back(&shown);
    std::stable_sort(listed.begin(), listed.end(), [](const Shown* a, const Shown* b) {
        return a->reminder.due < b->reminder.due;
    });
    const local_seconds now = clock_.now();
    std::vector<RemindersView::Row> rows;
    for (const Shown* shown : listed) {
        const ReminderItem& item = shown->reminder.item;
        rows.push_back({item.entryId, item.subject, ReminderWhen(shown->reminder, now, dateFormat_),
                        item.location});
    }
    view_->showReminders(rows, raise);
}

}  // namespace shell
