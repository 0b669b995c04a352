#include "parser/date/calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "parser/token_class.h"

namespace sentex {
namespace {

constexpr int kSunday = 1, kMonday = 2, kTuesday = 3, kWednesday = 4, kThursday = 5, kFriday = 6,
              kSaturday = 7;

// "y-m-d" of a date, or "invalid".
std::string ymd(DateTime d) {
    if (!d.isValid()) return "invalid";
    return std::to_string(d.year()) + "-" + std::to_string(d.month()) + "-" +
           std::to_string(d.day());
}

Calendar calendarAt(int y, int m, int d) {
    return Calendar(DateTime::fromParts(y, m, d, 10));
}

// Wednesday 15 April 1998, 10:00.
const Calendar kApril15 = calendarAt(1998, 4, 15);

TEST(CalendarTest, WindowsWrittenYears) {
    struct Row {
        int nowYear, written;
        std::optional<int> year;
    };
    const Row rows[] = {
        {1998, 98, 1998}, {1998, 47, 2047},   {1998, 50, 1950},   {1998, 5, 2005},
        {1998, 0, 2000},  {1998, 48, 2048},   {1998, 49, 1949},   {1998, 99, 1999},
        {2026, 76, 2076},  // exactly 50 ahead stays
        {2026, 75, 2075}, {2026, 77, 1977},   {2001, 99, 1999},   {1960, 10, 2010},
        {1960, 11, 1911}, {1998, 1900, 1900}, {1998, 2099, 2099}, {1998, 1899, {}},
        {1998, 2100, {}}, {1998, 100, {}},    {1998, -1, {}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(calendarAt(r.nowYear, 6, 1).windowYear(r.written), r.year)
            << "written " << r.written << " in " << r.nowYear;
}

TEST(CalendarTest, BuildsWithDayFallback) {
    EXPECT_EQ(ymd(Calendar::buildWithDayFallback(1999, 2, 31)), "1999-2-28");
    EXPECT_EQ(ymd(Calendar::buildWithDayFallback(2000, 2, 31)), "2000-2-29");
    EXPECT_EQ(ymd(Calendar::buildWithDayFallback(1998, 4, 31)), "1998-4-30");
    EXPECT_EQ(ymd(Calendar::buildWithDayFallback(1998, 4, 20)), "1998-4-20");
    EXPECT_EQ(ymd(Calendar::buildWithDayFallback(1998, 13, 1)), "invalid");
    EXPECT_EQ(ymd(Calendar::buildWithDayFallback(1998, 4, 0)), "invalid");
    EXPECT_EQ(ymd(Calendar::buildWithDayFallback(10000, 1, 31)), "invalid");
}

TEST(CalendarTest, NextOccurrenceOfAMonthAndDay) {
    EXPECT_EQ(ymd(kApril15.nextOccurrence(4, 15)), "1998-4-15");  // today counts
    EXPECT_EQ(ymd(kApril15.nextOccurrence(4, 14)), "1999-4-14");
    EXPECT_EQ(ymd(kApril15.nextOccurrence(12, 31)), "1998-12-31");
    EXPECT_EQ(ymd(kApril15.nextOccurrence(2, 30)), "1999-2-28");
    // 29 February 1999 falls back to the 28th, which is past: the next year has the 29th.
    EXPECT_EQ(ymd(calendarAt(1999, 3, 1).nextOccurrence(2, 29)), "2000-2-29");
}

TEST(CalendarTest, YearOfAMonth) {
    EXPECT_EQ(calendarAt(1998, 3, 15).yearOfMonth(3), 1999);
    EXPECT_EQ(calendarAt(1998, 3, 1).yearOfMonth(3), 1998);
    EXPECT_EQ(kApril15.yearOfMonth(4), 1999);
    EXPECT_EQ(kApril15.yearOfMonth(5), 1998);
    EXPECT_EQ(kApril15.yearOfMonth(1), 1999);
}

TEST(CalendarTest, ComingWeekdayIsStrictlyLater) {
    EXPECT_EQ(ymd(kApril15.comingWeekday(kWednesday)), "1998-4-22");
    EXPECT_EQ(ymd(kApril15.comingWeekday(kThursday)), "1998-4-16");
    EXPECT_EQ(ymd(kApril15.comingWeekday(kSunday)), "1998-4-19");
}

TEST(CalendarTest, WeekdayTodayOrLater) {
    EXPECT_EQ(ymd(kApril15.weekdayTodayOrLater(kWednesday)), "1998-4-15");
    EXPECT_EQ(ymd(kApril15.weekdayTodayOrLater(kSaturday)), "1998-4-18");
    EXPECT_EQ(ymd(kApril15.weekdayTodayOrLater(kTuesday)), "1998-4-21");
}

TEST(CalendarTest, NthWeekdayOfAMonth) {
    EXPECT_EQ(ymd(Calendar::nthWeekday(2, kMonday, 6, 1998)), "1998-6-8");
    EXPECT_EQ(ymd(Calendar::nthWeekday(1, kSunday, 6, 1998)), "1998-6-7");
    EXPECT_EQ(ymd(Calendar::nthWeekday(5, kFriday, 5, 1998)), "1998-5-29");
    EXPECT_EQ(ymd(Calendar::nthWeekday(5, kWednesday, 6, 1998)), "1998-6-24");
    EXPECT_EQ(ymd(Calendar::nthWeekday(5, kSunday, 2, 1998)), "1998-2-22");
    EXPECT_EQ(ymd(Calendar::nthWeekday(5, kSunday, 2, 2004)), "2004-2-29");
    EXPECT_EQ(ymd(Calendar::nthWeekday(1, kMonday, 13, 1998)), "invalid");
}

TEST(CalendarTest, AddsSpans) {
    const DateTime now = kApril15.now();
    struct Row {
        DateTime from;
        int amount, unit;
        const char* expected;
    };
    const Row rows[] = {
        {now, 1, kUnitDay, "1998-4-16"},
        {now, 2, kUnitWeek, "1998-4-29"},
        {now, 1, kUnitMonth, "1998-5-15"},
        {now, 11, kUnitMonth, "1999-3-15"},
        {now, 12, kUnitMonth, "1999-4-15"},
        {now, 25, kUnitMonth, "2000-5-15"},
        {now, 1, kUnitYear, "1999-4-15"},
        {now, 101, kUnitYear, "2099-4-15"},
        {now, 102, kUnitYear, "invalid"},
        {DateTime::fromParts(1998, 1, 31), 1, kUnitMonth, "1998-2-28"},
        {DateTime::fromParts(2000, 1, 31), 1, kUnitMonth, "2000-2-29"},
        {DateTime::fromParts(2000, 2, 29), 1, kUnitYear, "2001-2-28"},
        {DateTime::fromParts(2099, 12, 30), 1, kUnitDay, "2099-12-31"},
        {DateTime::fromParts(2099, 12, 31), 1, kUnitDay, "invalid"},
        {DateTime::fromParts(2099, 12, 25), 1, kUnitWeek, "invalid"},
        {DateTime::fromParts(2099, 12, 15), 1, kUnitMonth, "invalid"},
        {now, 0, kUnitDay, "invalid"},
        {now, -1, kUnitDay, "invalid"},
        {now, INT_MAX, kUnitDay, "invalid"},
        {now, INT_MAX, kUnitMonth, "invalid"},
        {now, INT_MAX, kUnitYear, "invalid"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ymd(Calendar::addSpan(r.from, r.amount, r.unit)), r.expected)
            << ymd(r.from) << " plus " << r.amount << " of unit " << r.unit;
}

}  // namespace
}  // namespace sentex
