#pragma once

#include <string>

#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook {

// A repeat in words, for the note's shadow and the explorer: "every 2 weeks on Tuesday",
// "every weekday", "monthly on the first Monday", "every month on day 15".
std::string DescribeRecurrence(const RecurrenceFields& pattern);

}  // namespace outlook
