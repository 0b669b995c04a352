#include "clock_time.h"

#include <ctime>

namespace sentex {
namespace {

// Midnight of 1 January 2000 in the local zone. No zone changes its offset in the course
// of that day, so every clock time of it is this value plus its seconds since midnight.
ClockTime midnightOfReferenceDay() {
    static const ClockTime midnight = [] {
        std::tm parts{};
        parts.tm_year = 100;
        parts.tm_mon = 0;
        parts.tm_mday = 1;
        parts.tm_isdst = -1;
        return static_cast<ClockTime>(std::mktime(&parts));
    }();
    return midnight;
}

}  // namespace

ClockTime makeClockTime(int hour, int minute) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return 0;
    return midnightOfReferenceDay() + hour * 3600 + minute * 60;
}

ClockTime makeClockTimeAmPm(int hour, int minute, bool pm) {
    if (pm && hour >= 0 && hour <= 11) hour += 12;
    if (!pm && hour == 12) hour = 0;
    return makeClockTime(hour, minute);
}

int clockHour(ClockTime t) {
    return (t - midnightOfReferenceDay()) / 3600;
}
int clockMinute(ClockTime t) {
    return (t - midnightOfReferenceDay()) / 60 % 60;
}

}  // namespace sentex
