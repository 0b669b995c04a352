#pragma once

#include "platform/registry.h"

namespace shell {

// Whether the program rings reminders: yes unless "On" under Software\Jotwise\Reminders holds
// the DWORD 0.
bool RemindersOn(platform::Registry& registry);

}  // namespace shell
