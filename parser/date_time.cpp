#include "date_time.h"

#include <chrono>
#include <cmath>

namespace sentex {
namespace {

using namespace std::chrono;

constexpr int32_t kFirstValidDay = -657434;       // 1 January 100
constexpr int32_t kLastValidDay = 2958465;        // 31 December 9999
constexpr int32_t kSerialEpochFromUnix = -25569;  // 30 December 1899 in days since 1970
constexpr int32_t kSecondsPerDay = 86400;

// std::llround for 0 <= x < 2^52 without the library call: x - trunc(x) is exact there,
// and halves round up.
int64_t roundNonNegative(double x) {
    const auto whole = static_cast<int64_t>(x);
    return whole + (x - static_cast<double>(whole) >= 0.5 ? 1 : 0);
}

year_month_day civilOf(int32_t dayNumber) {
    return year_month_day{sys_days{days{dayNumber + kSerialEpochFromUnix}}};
}

}  // namespace

DateTime DateTime::fromParts(int y, int mo, int d, int h, int mi, int s) {
    if (y < 100 || y > 9999 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
        return invalid();
    const year_month_day ymd{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(mo)},
                             std::chrono::day{static_cast<unsigned>(d)}};
    if (mo < 1 || d < 1 || !ymd.ok()) return invalid();
    const int64_t dayNumber = sys_days{ymd}.time_since_epoch().count() - kSerialEpochFromUnix;
    return fromDayAndSeconds(dayNumber, h * 3600 + mi * 60 + s);
}

DateTime DateTime::fromCalendarTime(std::time_t t) {
    std::tm parts{};
#if defined(_WIN32)
    if (localtime_s(&parts, &t) != 0) return invalid();
#else
    if (!localtime_r(&t, &parts)) return invalid();
#endif
    return fromParts(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                     parts.tm_min, parts.tm_sec > 59 ? 59 : parts.tm_sec);
}

DateTime DateTime::now() {
    return fromCalendarTime(std::time(nullptr));
}

DateTime LocalClock::at(std::time_t t) {
    if (!converted_ || t != second_) {
        local_ = DateTime::fromCalendarTime(t);
        second_ = t;
        converted_ = true;
    }
    return local_;
}

DateTime DateTime::fromDayAndSeconds(int64_t dayNumber, int64_t secondOfDay) {
    if (dayNumber < kFirstValidDay || dayNumber > kLastValidDay) return invalid();
    const double fraction = static_cast<double>(secondOfDay) / kSecondsPerDay;
    const double whole = static_cast<double>(dayNumber);
    return DateTime(dayNumber >= 0 ? whole + fraction : whole - fraction, Status::Valid);
}

void DateTime::split(int32_t& dayNumber, int32_t& secondOfDay) const {
    const double whole = std::trunc(serial_);
    int64_t seconds = roundNonNegative(std::fabs(serial_ - whole) * kSecondsPerDay);
    int64_t dayCount = static_cast<int64_t>(whole);
    if (seconds >= kSecondsPerDay) {  // rounding reached the next midnight
        seconds -= kSecondsPerDay;
        dayCount += serial_ >= 0 ? 1 : -1;
    }
    dayNumber = static_cast<int32_t>(dayCount);
    secondOfDay = static_cast<int32_t>(seconds);
}

int32_t DateTime::dayNumber() const {
    int32_t dayCount, second;
    split(dayCount, second);
    return dayCount;
}

DateTime::Civil DateTime::civil() const {
    const year_month_day ymd = civilOf(dayNumber());
    return Civil{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                 static_cast<int>(static_cast<unsigned>(ymd.day()))};
}
int DateTime::year() const {
    return civil().year;
}
int DateTime::month() const {
    return civil().month;
}
int DateTime::day() const {
    return civil().day;
}

int DateTime::hour() const {
    int32_t dayCount, second;
    split(dayCount, second);
    return second / 3600;
}
int DateTime::minute() const {
    int32_t dayCount, second;
    split(dayCount, second);
    return second / 60 % 60;
}
int DateTime::second() const {
    int32_t dayCount, second;
    split(dayCount, second);
    return second % 60;
}

int DateTime::dayOfWeek() const {
    // Day 0, 30 December 1899, was a Saturday.
    return static_cast<int>(((dayNumber() % 7) + 7 + 6) % 7) + 1;
}

DateTime DateTime::dateOnly() const {
    if (!isValid()) return *this;
    return fromDayAndSeconds(dayNumber(), 0);
}

DateTime DateTime::plus(DateSpan span) const {
    if (!isValid()) return *this;
    int32_t dayCount, second;
    split(dayCount, second);
    const double linear = dayCount + static_cast<double>(second) / kSecondsPerDay + span.days;
    if (!std::isfinite(linear) || linear < kFirstValidDay || linear >= kLastValidDay + 1.0)
        return invalid();
    const double wholeDays = std::floor(linear);
    int64_t seconds = roundNonNegative((linear - wholeDays) * kSecondsPerDay);
    int64_t newDay = static_cast<int64_t>(wholeDays);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++newDay;
    }
    return fromDayAndSeconds(newDay, seconds);
}

}  // namespace sentex
