#pragma once

#include <chrono>

#include "outlook/automation.h"

namespace outlook {

// Automation dates count days since 30 December 1899 on the local wall clock; before
// that day the fraction still counts forward from midnight, so -1.25 is 29 December
// 1899, 6:00.
OleDate OleDateFromLocal(std::chrono::local_time<std::chrono::milliseconds> time);
// The wall-clock time a date stands for, to the nearest second.
std::chrono::local_seconds LocalFromOleDate(OleDate date);
// The current local date and time.
OleDate OleDateNow();

}  // namespace outlook
