#include "outlook/recurrence/recurrence_rule.h"

#include <array>
#include <cstdio>

namespace outlook {
namespace {

constexpr std::array<const char*, 7> kDayCodes = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

const char* frequency(OlRecurrenceType type) {
    switch (type) {
        case olRecursDaily:
            return "DAILY";
        case olRecursWeekly:
            return "WEEKLY";
        case olRecursMonthly:
        case olRecursMonthNth:
            return "MONTHLY";
        case olRecursYearly:
        case olRecursYearNth:
            return "YEARLY";
    }
    return "DAILY";
}

std::string byDay(std::int32_t mask) {
    std::string days;
    for (int day = 0; day < 7; ++day) {
        if (!(mask & (1 << day))) continue;
        if (!days.empty()) days += ',';
        days += kDayCodes[day];
    }
    return days;
}

// The pattern's day of the month, or its start's when it holds none a month has.
int dayOfMonth(const RecurrenceFields& p) {
    if (p.dayOfMonth >= 1 && p.dayOfMonth <= 31) return p.dayOfMonth;
    return static_cast<int>(unsigned(std::chrono::year_month_day(p.patternStartDate).day()));
}

int monthOfYear(const RecurrenceFields& p) {
    if (p.monthOfYear >= 1 && p.monthOfYear <= 12) return p.monthOfYear;
    return static_cast<int>(unsigned(std::chrono::year_month_day(p.patternStartDate).month()));
}

// BYDAY with BYSETPOS: the n-th of the days in the mask (-1 the last), which for one day is
// the n-th such weekday of the month.
std::string nthDay(const RecurrenceFields& p) {
    const std::int32_t mask = p.dayOfWeekMask ? p.dayOfWeekMask : olMonday;
    const int instance = p.instance >= 1 && p.instance <= 4 ? p.instance : -1;
    return ";BYDAY=" + byDay(mask) + ";BYSETPOS=" + std::to_string(instance);
}

std::string until(std::chrono::local_days day, bool timed) {
    const std::chrono::year_month_day d(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u%s", int(d.year()), unsigned(d.month()),
                  unsigned(d.day()), timed ? "T235959" : "");
    return text;
}

}  // namespace

std::string RecurrenceRule(const RecurrenceFields& p, bool timedUntil) {
    std::string rule = std::string("FREQ=") + frequency(p.recurrenceType);
    if (p.interval > 1) rule += ";INTERVAL=" + std::to_string(p.interval);
    switch (p.recurrenceType) {
        case olRecursDaily:
            break;
        case olRecursWeekly:
            if (p.dayOfWeekMask) rule += ";BYDAY=" + byDay(p.dayOfWeekMask);
            break;
        case olRecursMonthly:
            rule += ";BYMONTHDAY=" + std::to_string(dayOfMonth(p));
            break;
        case olRecursMonthNth:
            rule += nthDay(p);
            break;
        case olRecursYearly:
            rule += ";BYMONTH=" + std::to_string(monthOfYear(p)) +
                    ";BYMONTHDAY=" + std::to_string(dayOfMonth(p));
            break;
        case olRecursYearNth:
            rule += ";BYMONTH=" + std::to_string(monthOfYear(p)) + nthDay(p);
            break;
    }
    if (!p.noEndDate) {
        if (p.occurrences > 0)
            rule += ";COUNT=" + std::to_string(p.occurrences);
        else
            rule += ";UNTIL=" + until(p.patternEndDate, timedUntil);
    }
    // Weeks begin on Sunday, as in the object model, so "every 2 weeks" counts the same weeks.
    return rule + ";WKST=SU";
}

}  // namespace outlook
