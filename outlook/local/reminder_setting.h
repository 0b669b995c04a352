#pragma once

#include <cstdint>

#include "platform/registry.h"

namespace outlook::local {

// How long before its start an appointment reminds when it has no lead of its own.
inline constexpr std::int32_t kDefaultReminderMinutes = 15;

// The lead a new appointment gets: "Minutes" under Software\Jotwise\Reminders (a DWORD of at
// most two weeks); 15 when it is absent or out of range, or when there is no registry.
std::int32_t defaultReminderMinutes(platform::Registry* registry);

}  // namespace outlook::local
