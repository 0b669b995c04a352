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
    // The reminders as the store holds them now, due or not, after every reading: what was
    // shown and has since been snoozed, dismissed or deleted is no longer due.
    virtual void Changed(const std::vector<Reminder>& /*reminders*/) {}
};

}  // namespace shell
