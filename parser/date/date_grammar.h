#pragma once

#include <cstdint>
#include <optional>

#include "../date_format.h"
#include "../token.h"
#include "calendar.h"

namespace sentex {

// What one recogniser read.
struct DatePhrase {
    enum Status { FOUND = 0, SPAN = 1, NONE = 2 };

    DateTime date;
    int32_t amount = 0;
    int32_t unit = 0;
    Status status = NONE;

    static DatePhrase found(DateTime d) { return {d, 0, 0, d.isValid() ? FOUND : NONE}; }
    static DatePhrase span(int32_t amount, int32_t unit) { return {{}, amount, unit, SPAN}; }
    static DatePhrase none() { return {}; }
    bool isFound() const { return status == FOUND; }
};

// A repeating date.
struct Recurrence {
    DateTime start;  // the first occurrence
    int32_t interval = 0;
    uint8_t unit = 0;
    uint8_t days = 0;  // day-of-week mask
    uint8_t nth = 0;   // n-th weekday of the month (5 = last)
    uint8_t isRecurring = 0;
};

// The token list the recognisers read, with the calendar of the current recognition.
struct DateScan {
    TokenList& tokens;
    Calendar calendar;
    DateFormat::Order order;
};

// Each recogniser reads a phrase at the front of the list. When it yields NONE it has
// put back every token it took.
DatePhrase readNumericDate(DateScan& scan);
DatePhrase readDayMonth(DateScan& scan);
DatePhrase readMonthFirst(DateScan& scan);
DatePhrase readSpan(DateScan& scan);
DatePhrase readWeekday(DateScan& scan);
DatePhrase readToday(DateScan& scan);
DatePhrase readTomorrow(DateScan& scan);
DatePhrase readThisThe(DateScan& scan);
DatePhrase readNext(DateScan& scan);
DatePhrase readIn(DateScan& scan);
DatePhrase readNthWeekday(DateScan& scan);

// Runs the recognisers that fit the front token (the dispatch table in date_phrase.cpp).
DatePhrase readDatePhrase(DateScan& scan);

// Month reference of an n-th weekday: "june", "6/98", "this month", "next june" ...
struct MonthOfYear {
    int month, year;
};
std::optional<MonthOfYear> readMonthReference(DateScan& scan);

// A repeating phrase at the front of the list, or nothing (and no token taken).
std::optional<Recurrence> readRecurrence(DateScan& scan);

// Helpers shared by the recognisers.
// Takes a NUMBER, ORDINAL or ALPHA whose value is a day number 1-31.
std::optional<int> takeDayNumber(TokenList& tokens);
// Takes a NUMBER that windows to a year; takes nothing otherwise.
std::optional<int> takeYear(DateScan& scan);
// The day of the month in the year that follows, or else in its next occurrence.
DatePhrase readOptionalYear(DateScan& scan, int month, int day);

}  // namespace sentex
