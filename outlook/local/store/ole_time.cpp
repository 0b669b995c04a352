#include "outlook/local/store/ole_time.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace outlook::local {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;
constexpr double kUnixEpochSerial = 25569.0;  // 1 January 1970 as an automation date

}  // namespace

mapi::FileTime fileTimeFromOleDate(OleDate date) {
    // Before the epoch the fraction still counts forward from midnight of the day number.
    const double dayNumber = std::trunc(date.serial);
    const double fraction = std::abs(date.serial - dayNumber);
    const double wallSeconds = (dayNumber - kUnixEpochSerial) * 86400.0 + fraction * 86400.0;
    // Seconds on the local wall clock, then through the time zone to UTC.
    const auto wall = static_cast<std::time_t>(std::llround(wallSeconds));
    std::tm fields{};
    gmtime_r(&wall, &fields);
    fields.tm_isdst = -1;
    const std::time_t utc = std::mktime(&fields);
    return {static_cast<std::int64_t>(utc) * kTicksPerSecond + kUnixEpochTicks};
}

OleDate oleDateFromFileTime(mapi::FileTime time) {
    const std::int64_t ticks = time.ticks - kUnixEpochTicks;
    std::int64_t seconds = ticks / kTicksPerSecond;
    if (ticks % kTicksPerSecond < 0) --seconds;
    const auto utc = static_cast<std::time_t>(seconds);
    std::tm fields{};
    localtime_r(&utc, &fields);
    const std::time_t wall = timegm(&fields);
    std::int64_t days = wall / 86400, rest = wall % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const double dayNumber = static_cast<double>(days) + kUnixEpochSerial;
    const double fraction = static_cast<double>(rest) / 86400.0;
    return {dayNumber < 0 ? dayNumber - fraction : dayNumber + fraction};
}

mapi::FileTime currentFileTime() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return {std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() / 100 +
            kUnixEpochTicks};
}

}  // namespace outlook::local
