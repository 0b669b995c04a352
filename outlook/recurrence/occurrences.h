#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook {

// The days a pattern falls on from `from` to `to` (both included), in order, expanded by
// libical's recurrence iterator from the pattern's start. As in any iCalendar rule, a month
// without the pattern's day (the 31st, 29 February) has no occurrence.
std::vector<std::chrono::local_days> OccurrenceDays(const RecurrenceFields& pattern,
                                                    std::chrono::local_days from,
                                                    std::chrono::local_days to);

// The first day on or after `day` the pattern falls on; nothing when it has ended by then.
std::optional<std::chrono::local_days> FirstOccurrenceFrom(const RecurrenceFields& pattern,
                                                           std::chrono::local_days day);

}  // namespace outlook
