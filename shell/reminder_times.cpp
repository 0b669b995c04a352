#include "shell/reminder_times.h"

#include <algorithm>

#include "outlook/recurrence/occurrences.h"

namespace shell {
namespace {

using namespace std::chrono;

// The start of the first occurrence that starts at `from` or later.
std::optional<local_seconds> firstStartFrom(const outlook::RecurrenceFields& repeat,
                                            local_seconds from) {
    local_days day = floor<days>(from);
    // Each pattern falls at most once on a day, so this ends on the second day at the latest.
    for (int tries = 0; tries < 2; ++tries) {
        const auto found = outlook::FirstOccurrenceFrom(repeat, day);
        if (!found) return std::nullopt;
        const local_seconds start = *found + repeat.startTime;
        if (start >= from) return start;
        day = *found + days{1};
    }
    return std::nullopt;
}

// The start of the last occurrence that starts at `by` or earlier.
std::optional<local_seconds> lastStartBy(const outlook::RecurrenceFields& repeat,
                                         local_seconds by) {
    // Far enough back to hold at least one occurrence of any pattern that has one.
    const days lookBack{366 * std::max(1, repeat.interval) + 7};
    const local_days last = floor<days>(by);
    const auto found = outlook::OccurrenceDays(repeat, last - lookBack, last);
    for (auto day = found.rbegin(); day != found.rend(); ++day)
        if (*day + repeat.startTime <= by) return *day + repeat.startTime;
    return std::nullopt;
}

std::optional<Reminder> taskReminder(const ReminderItem& item) {
    if (item.reminderTime) return Reminder{item, *item.reminderTime, item.start};
    if (!item.start) return std::nullopt;
    return Reminder{item, floor<days>(*item.start) + kTaskReminderHour, item.start};
}

std::optional<Reminder> repeatingReminder(const ReminderItem& item, local_seconds now) {
    const minutes lead{item.minutesBefore};
    if (item.reminderTime) {
        const local_seconds at = *item.reminderTime;
        const auto occurs = lastStartBy(*item.repeat, at + lead);
        if (occurs && (*occurs >= now || at >= now)) return Reminder{item, at, occurs};
    }
    const auto next = firstStartFrom(*item.repeat, now);
    if (!next) return std::nullopt;
    return Reminder{item, std::max(*next - lead, item.reminderTime.value_or(*next - lead)), next};
}

}  // namespace

std::optional<Reminder> NextReminder(const ReminderItem& item, local_seconds now) {
    if (item.task) return taskReminder(item);
    if (item.repeat) return repeatingReminder(item, now);
    if (!item.start) return std::nullopt;
    const local_seconds due = *item.start - minutes{item.minutesBefore};
    return Reminder{item, std::max(due, item.reminderTime.value_or(due)), item.start};
}

std::optional<local_seconds> ReminderAfter(const ReminderItem& item, local_seconds occurs) {
    if (item.task || !item.repeat) return std::nullopt;
    const auto next = firstStartFrom(*item.repeat, occurs + seconds{1});
    if (!next) return std::nullopt;
    return *next - minutes{item.minutesBefore};
}

}  // namespace shell
