#include "shell/ui/program_reminders.h"

#include "platform/locale.h"

namespace shell::ui {

ProgramReminders::ProgramReminders(outlook::TDataStore& session, ActionNotifier& notifier,
                                   const platform::WallClock& clock, platform::EventLoop& loop,
                                   platform::Registry& registry)
    : items_(session),
      presenter_(notifier, items_, clock, platform::systemShortDateFormat()),
      window_(presenter_),
      schedule_(items_, presenter_, clock, loop, registry) {
    presenter_.SetSchedule(&schedule_);
    // Rings what fell due while the program was not running.
    schedule_.Start();
}

ProgramReminders::~ProgramReminders() {
    // The schedule goes first (members end in reverse order); it must not ring meanwhile.
    schedule_.Stop();
    presenter_.SetSchedule(nullptr);
}

}  // namespace shell::ui
