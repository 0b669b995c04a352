#pragma once

#include <vector>

#include "shell/reminder.h"

namespace shell {

// Shows reminders that fell due: those that came due together (or were missed while the
// program was not running) arrive in one call, each of them once.
class ReminderNotifier {
public:
    virtual ~ReminderNotifier() = default;
    virtual void Remind(const std::vector<Reminder>& due) = 0;
};

}  // namespace shell
