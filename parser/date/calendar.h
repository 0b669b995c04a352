#pragma once

#include <optional>

#include "../date_time.h"

namespace sentex {

// The calendar rules of the date grammar, relative to one value of now.
class Calendar {
public:
    explicit Calendar(DateTime now);

    DateTime now() const { return now_; }
    DateTime today() const { return today_; }
    int todayDayOfWeek() const { return todayDayOfWeek_; }

    static bool isValidMonth(int month) { return month >= 1 && month <= 12; }
    static bool isValidDayNumber(int day) { return day >= 1 && day <= 31; }

    // The date at 00:00; while it does not exist, the previous day down to the 28th.
    static DateTime buildWithDayFallback(int year, int month, int day);
    // A written year: two digits pick the century nearest to now's year; 1900-2099
    // stand as written; anything else is no year.
    std::optional<int> windowYear(int written) const;
    // Month and day in now's year, or next year when that date lies before today.
    DateTime nextOccurrence(int month, int day) const;
    // Now's year, or next year when the 1st of the month lies before today.
    int yearOfMonth(int month) const;
    // Weekday (1 Sunday .. 7 Saturday) 1 to 7 days ahead.
    DateTime comingWeekday(int dayOfWeek) const;
    // Weekday 0 to 6 days ahead.
    DateTime weekdayTodayOrLater(int dayOfWeek) const;
    // The n-th (1-5; 5 is the last) given weekday of a month; invalid when there is none.
    static DateTime nthWeekday(int n, int dayOfWeek, int month, int year);
    // The date plus amount units (day, week, month, year); invalid when the amount is not
    // positive or the result is not a valid date before 2100.
    static DateTime addSpan(DateTime date, int amount, int unit);

private:
    DateTime now_;
    DateTime today_;
    int todayDayOfWeek_;
};

}  // namespace sentex
