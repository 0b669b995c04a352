#pragma once

#include <chrono>

#include "outlook/automation.h"

namespace outlook {

// Local calendar time as an automation date.
OleDate OleDateFromLocal(std::chrono::local_time<std::chrono::milliseconds> time);
// The current local date and time.
OleDate OleDateNow();

}  // namespace outlook
