#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outlook/session/data_store.h"
#include "outlook/session/folder_watch.h"
#include "shell/reminder.h"

namespace shell {

// The appointments of the default Calendar and the tasks of the default Tasks folder that
// remind, read and changed through the session's object model. Items elsewhere (Deleted
// Items) do not remind. Failures of the store reach the caller as AutomationError.
class TReminderItems {
public:
    explicit TReminderItems(outlook::TDataStore& session) : session_(session) {}

    // Every item whose ReminderSet is on.
    std::vector<ReminderItem> Read();
    // Keeps `at` as the item's next reminder time (ReminderTime).
    void SetReminderTime(const std::string& entryId, std::chrono::local_seconds at);
    // Turns the item's reminder off (ReminderSet); an appointment forgets its snooze.
    void ClearReminder(const std::string& entryId);
    // Opens the item's form.
    void Display(const std::string& entryId);

    // Calls `changed` after each change to either folder, by this program or another; false
    // when a folder cannot be watched.
    bool Watch(std::function<void()> changed);
    void StopWatching() { watches_.clear(); }

private:
    void readFolder(std::int32_t folder, std::vector<ReminderItem>& items);
    outlook::DispatchPtr item(const std::string& entryId);

    outlook::TDataStore& session_;
    std::vector<std::unique_ptr<outlook::TFolderWatch>> watches_;
};

}  // namespace shell
