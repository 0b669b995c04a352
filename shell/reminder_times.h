#pragma once

#include <chrono>
#include <optional>

#include "shell/reminder.h"

namespace shell {

// When a task without a reminder time of its own reminds: this hour of its due day.
inline constexpr std::chrono::hours kTaskReminderHour{8};

// The item's next reminder as seen at `now`, which may be due already; nothing when it has
// nothing to remind of (no start or due date, a repeat that has ended).
//
// An appointment rings its lead before its start, a task at its reminder time (else on the
// morning of its due day); a later ReminderTime (a snooze) comes instead. A repeating
// appointment reminds of its next occurrence: of the one a ReminderTime belongs to while that
// occurrence or that time is still ahead, else of the first that starts from `now` on.
std::optional<Reminder> NextReminder(const ReminderItem& item, std::chrono::local_seconds now);

// The time a repeating item's next reminder moves to when the one for the occurrence at
// `occurs` is dismissed: the following occurrence's; nothing when none follows (or the item
// does not repeat).
std::optional<std::chrono::local_seconds> ReminderAfter(const ReminderItem& item,
                                                        std::chrono::local_seconds occurs);

}  // namespace shell
