#include "shell/reminder_schedule.h"

#include <algorithm>

#include "shell/reminder_setting.h"
#include "shell/reminder_times.h"

namespace shell {
namespace {

using namespace std::chrono;

// The timer wakes at least this often, even with nothing due: the wall clock can jump (a
// daylight-saving change, a suspended machine, the user setting the clock) while the event
// loop's timers count elapsed time, and a reminder must not ring hours late.
constexpr minutes kLongestSleep{15};
// After the store could not be read, it is read again this soon.
constexpr minutes kRetryAfterFailure{1};

}  // namespace

TReminderSchedule::TReminderSchedule(TReminderItems& items, ReminderNotifier& notifier,
                                     const platform::WallClock& clock, platform::EventLoop& loop,
                                     platform::Registry& registry)
    : items_(items),
      notifier_(notifier),
      clock_(clock),
      loop_(loop),
      registry_(registry),
      self_(std::make_shared<TReminderSchedule*>(this)) {}

TReminderSchedule::~TReminderSchedule() {
    Stop();
}

bool TReminderSchedule::Start() {
    started_ = true;
    const bool watching = items_.Watch([this] { changed(); });
    Refresh();
    return watching;
}

void TReminderSchedule::Stop() {
    started_ = false;
    items_.StopWatching();
    disarm();
    reminders_.clear();
}

void TReminderSchedule::changed() {
    // A burst of changes (a batch, a sync) is read once.
    if (refreshPosted_) return;
    refreshPosted_ = true;
    // The program may end before the posted call runs.
    loop_.post([self = std::weak_ptr<TReminderSchedule*>(self_)] {
        const auto schedule = self.lock();
        if (!schedule) return;
        (*schedule)->refreshPosted_ = false;
        (*schedule)->Refresh();
    });
}

void TReminderSchedule::Refresh() {
    if (!started_) return;
    if (!RemindersOn(registry_)) {
        reminders_.clear();
        disarm();
        notifier_.Changed(reminders_);
        return;
    }
    const local_seconds now = clock_.now();
    try {
        std::vector<Reminder> fresh;
        for (const ReminderItem& item : items_.Read())
            if (auto reminder = NextReminder(item, now)) fresh.push_back(std::move(*reminder));
        std::stable_sort(fresh.begin(), fresh.end(),
                         [](const Reminder& a, const Reminder& b) { return a.due < b.due; });
        reminders_ = std::move(fresh);
        readFailed_ = false;
    } catch (const outlook::AutomationError&) {
        // The store is busy or gone for now: what was read last stands until it can be read.
        readFailed_ = true;
    }
    // What rang and is still the same reminder stays rung; the rest is forgotten, so that an
    // item changed back and forth rings at its time again.
    std::set<Key> stillThere;
    for (const Reminder& reminder : reminders_) {
        const Key key{reminder.item.entryId, reminder.due};
        if (rung_.count(key)) stillThere.insert(key);
    }
    rung_ = std::move(stillThere);
    notifier_.Changed(reminders_);
    ringDue();
    arm();
}

void TReminderSchedule::ringDue() {
    const local_seconds now = clock_.now();
    std::vector<Reminder> due;
    for (const Reminder& reminder : reminders_)
        if (reminder.due <= now && rung_.insert({reminder.item.entryId, reminder.due}).second)
            due.push_back(reminder);
    if (!due.empty()) notifier_.Remind(due);
}

void TReminderSchedule::disarm() {
    if (timer_) loop_.stopTimer(timer_);
    timer_ = 0;
    wakeUp_.reset();
}

void TReminderSchedule::arm() {
    disarm();
    const local_seconds now = clock_.now();
    std::optional<local_seconds> next;
    const auto consider = [&](local_seconds at) {
        if (!next || at < *next) next = at;
    };
    for (const Reminder& reminder : reminders_) {
        if (!rung_.count({reminder.item.entryId, reminder.due}))
            consider(reminder.due);
        else if (reminder.item.repeat && reminder.occurs)
            // Once its occurrence has begun, a repeating item reminds of the next one.
            consider(std::max(reminder.due, *reminder.occurs) + seconds{1});
    }
    if (readFailed_) consider(now + kRetryAfterFailure);
    if (!next) return;
    wakeUp_ = next;
    const auto wait = std::clamp<milliseconds>(*next - now, milliseconds{0}, kLongestSleep);
    timer_ = loop_.startTimer(
        wait,
        [this] {
            timer_ = 0;
            Refresh();
        },
        false);
}

bool TReminderSchedule::Snooze(const Reminder& reminder, minutes by) {
    try {
        items_.SetReminderTime(reminder.item.entryId, clock_.now() + by);
    } catch (const outlook::AutomationError&) {
        return false;
    }
    Refresh();
    return true;
}

bool TReminderSchedule::Dismiss(const Reminder& reminder) {
    try {
        const auto next =
            reminder.occurs ? ReminderAfter(reminder.item, *reminder.occurs) : std::nullopt;
        if (next)
            items_.SetReminderTime(reminder.item.entryId, *next);
        else
            items_.ClearReminder(reminder.item.entryId);
    } catch (const outlook::AutomationError&) {
        return false;
    }
    Refresh();
    return true;
}

}  // namespace shell
