#pragma once

#include <chrono>
#include <string>

#include "platform/locale.h"
#include "shell/reminder.h"

namespace shell {

// When a reminder's appointment takes place or its task is due, said briefly as seen at `now`:
// "Today 3:00pm-3:30pm", "Tomorrow 9:00am", "12/24/2026 10:00am-11:00am", "Due today",
// "Due 12/24/2026"; empty when the item has no date.
std::string ReminderWhen(const Reminder& reminder, std::chrono::local_seconds now,
                         const platform::ShortDateFormat& dateFormat);

// The when and the location, as a notification's body: "Today 3:00pm-3:30pm, Room 4".
std::string ReminderBody(const Reminder& reminder, std::chrono::local_seconds now,
                         const platform::ShortDateFormat& dateFormat);

}  // namespace shell
