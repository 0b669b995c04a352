#pragma once

#include <string>

#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook {

// The pattern as an iCalendar RRULE value ("FREQ=WEEKLY;INTERVAL=2;BYDAY=TU;WKST=SU"). With
// `timedUntil` an end date is written as the last second of that day, as a rule on a timed
// DTSTART needs; otherwise as a date.
std::string RecurrenceRule(const RecurrenceFields& pattern, bool timedUntil = false);

}  // namespace outlook
