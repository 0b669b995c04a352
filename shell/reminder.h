#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "outlook/recurrence/recurrence_pattern.h"

namespace shell {

// What reminders need to know of a stored appointment or task that reminds. Times are on the
// local wall clock, as the object model keeps them.
struct ReminderItem {
    std::string entryId;
    std::string subject;
    std::string location;
    bool task = false;
    // An appointment's start; a task's due date.
    std::optional<std::chrono::local_seconds> start;
    // An appointment's end.
    std::optional<std::chrono::local_seconds> end;
    // How long before its start an appointment reminds.
    std::int32_t minutesBefore = 15;
    // ReminderTime: a task's own reminder time, and on any item the time a snooze or a dismissed
    // occurrence moved its next reminder to.
    std::optional<std::chrono::local_seconds> reminderTime;
    // The repeat of an appointment that repeats.
    std::optional<outlook::RecurrenceFields> repeat;
};

// A reminder as it rings: for which item, when, and the start (or due date) it is for.
struct Reminder {
    ReminderItem item;
    std::chrono::local_seconds due{};
    std::optional<std::chrono::local_seconds> occurs;
};

}  // namespace shell
