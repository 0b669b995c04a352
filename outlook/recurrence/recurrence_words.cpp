#include "outlook/recurrence/recurrence_words.h"

#include <array>
#include <vector>

namespace outlook {
namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 5> kInstances = {"first", "second", "third", "fourth", "last"};

constexpr std::int32_t kWeekdays = olMonday | olTuesday | olWednesday | olThursday | olFriday;
constexpr std::int32_t kWeekend = olSaturday | olSunday;

// "Monday", "Monday and Thursday", "Monday, Wednesday and Friday"; days in week order.
std::string dayList(std::int32_t mask) {
    std::vector<const char*> days;
    for (int day = 0; day < 7; ++day)
        if (mask & (1 << day)) days.push_back(kDayNames[day]);
    std::string text;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (i > 0) text += i + 1 == days.size() ? " and " : ", ";
        text += days[i];
    }
    return text;
}

// "every day" or "every 3 days".
std::string every(std::int32_t interval, const char* unit) {
    if (interval <= 1) return std::string("every ") + unit;
    return "every " + std::to_string(interval) + " " + unit + "s";
}

std::string monthName(std::int32_t month) {
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : "";
}

// "the first Monday", "the last weekday".
std::string nthDays(const RecurrenceFields& p) {
    const int instance = p.instance >= 1 && p.instance <= 5 ? p.instance : 1;
    const std::string days = p.dayOfWeekMask == kWeekdays  ? "weekday"
                             : p.dayOfWeekMask == kWeekend ? "weekend day"
                                                           : dayList(p.dayOfWeekMask);
    return std::string("the ") + kInstances[instance - 1] + " " + days;
}

std::string weekly(const RecurrenceFields& p) {
    if (p.interval <= 1 && p.dayOfWeekMask == kWeekdays) return "every weekday";
    if (p.interval <= 1 && p.dayOfWeekMask == kWeekend) return "every weekend";
    const std::string text = every(p.interval, "week");
    return p.dayOfWeekMask == 0 ? text : text + " on " + dayList(p.dayOfWeekMask);
}

}  // namespace

std::string DescribeRecurrence(const RecurrenceFields& p) {
    switch (p.recurrenceType) {
        case olRecursDaily:
            return every(p.interval, "day");
        case olRecursWeekly:
            return weekly(p);
        case olRecursMonthly:
            return every(p.interval, "month") + " on day " + std::to_string(p.dayOfMonth);
        case olRecursMonthNth:
            return (p.interval <= 1 ? std::string("monthly") : every(p.interval, "month")) +
                   " on " + nthDays(p);
        case olRecursYearly:
            return every(p.interval, "year") + " on " + std::to_string(p.dayOfMonth) + " " +
                   monthName(p.monthOfYear);
        case olRecursYearNth:
            return (p.interval <= 1 ? std::string("yearly") : every(p.interval, "year")) + " on " +
                   nthDays(p) + " of " + monthName(p.monthOfYear);
    }
    return "repeats";
}

}  // namespace outlook
