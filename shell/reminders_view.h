#pragma once

#include <string>
#include <vector>

namespace shell {

// The window that lists the reminders that fell due, where the desktop shows no notifications
// with actions.
class RemindersView {
public:
    struct Row {
        std::string entryId;
        std::string subject;
        std::string when;
        std::string location;
        friend bool operator==(const Row&, const Row&) = default;
    };

    virtual ~RemindersView() = default;
    // Lists `rows`, earliest first. `raise` shows the window in front of the others; without
    // it a closed window stays closed. No rows close it.
    virtual void showReminders(const std::vector<Row>& rows, bool raise) = 0;
};

}  // namespace shell
