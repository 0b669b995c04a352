#include "outlook/ole_date.h"

#include <ctime>

namespace outlook {
namespace {

using namespace std::chrono;

constexpr sys_days kOleEpoch = sys_days(year{1899} / December / 30);

}  // namespace

OleDate OleDateFromLocal(local_time<milliseconds> time) {
    const auto day = floor<days>(time);
    const double dayNumber = (sys_days(day.time_since_epoch()) - kOleEpoch).count();
    const double fraction = duration<double, days::period>(time - day).count();
    // Before the epoch the fraction still counts forward from midnight, so it is added to
    // the day number's absolute value.
    return {dayNumber < 0 ? dayNumber - fraction : dayNumber + fraction};
}

OleDate OleDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const year_month_day date{year{local.tm_year + 1900}, month(local.tm_mon + 1),
                              std::chrono::day(local.tm_mday)};
    return OleDateFromLocal(local_days(date) + hours(local.tm_hour) + minutes(local.tm_min) +
                            seconds(local.tm_sec));
}

}  // namespace outlook
