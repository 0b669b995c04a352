#pragma once

#include <cstdint>

namespace sentex {

// A time of day held in a 32-bit token value: the calendar time (seconds since 1970,
// local time zone) of that clock time on 1 January 2000. 0 means no valid time.
using ClockTime = int32_t;

// 0 unless 0 <= hour <= 23 and 0 <= minute <= 59.
ClockTime makeClockTime(int hour, int minute);
// With pm an hour of 0-11 gets 12 added; with am hour 12 becomes 0.
ClockTime makeClockTimeAmPm(int hour, int minute, bool pm);

int clockHour(ClockTime t);
int clockMinute(ClockTime t);

}  // namespace sentex
