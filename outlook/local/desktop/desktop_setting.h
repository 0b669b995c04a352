#pragma once

#include <string>

#include "platform/registry.h"

namespace outlook::local::desktop {

// The switch that brings the desktop's own calendar and address book (Evolution Data Server)
// in: "Enabled" (a DWORD, 1 for on) under Software\Jotwise\Desktop Calendar, and the sources
// it writes to and reads from, by their UIDs (string values; empty or absent for the
// desktop's defaults).
struct DesktopSetting {
    bool enabled = false;
    std::string calendar;     // "Calendar": appointments and meeting requests
    std::string taskList;     // "Tasks": tasks and task requests
    std::string memoList;     // "Memos": notes and journal entries
    std::string addressBook;  // "Address Book": the contacts brought into Contacts
};

extern const char* const kDesktopKey;  // Software\Jotwise\Desktop Calendar

// Off, with the defaults, when the key or a value is absent or unreadable.
DesktopSetting readDesktopSetting(platform::Registry& registry);
// False when the setting could not be written.
bool writeDesktopEnabled(platform::Registry& registry, bool enabled);

}  // namespace outlook::local::desktop
