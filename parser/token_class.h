#pragma once

#include <cstdint>

namespace sentex {

// The class of a token; the numbers are fixed (17, 22 and 27 carry no words).
enum class TokenClass : int32_t {
    WORD = 0,
    NUMBER = 1,
    DATE_SEPARATOR = 2,
    SPECIAL = 3,
    NUMBER_POSTFIX = 4,
    APOSTROPHE = 5,
    POSSESIVE = 6,
    DAY_NAME = 7,
    MONTH = 8,
    DE_OF = 9,
    DATESPAN = 10,
    TODAY = 11,
    TOMORROW = 12,
    WEEKEND = 13,
    THIS = 14,
    THE = 15,
    NEXT = 16,
    FROM = 18,
    IN = 19,
    BETWEEN = 20,
    AND = 21,
    MORNING = 23,
    AFTERNOON = 24,
    EVENING = 25,
    BEGINNING = 26,
    AMPM = 28,
    TIME = 29,
    HOUR = 30,
    TIME_SEPARATOR = 31,
    TO = 32,
    ALPHA = 33,
    ORDINAL = 34,
    LAST = 35,
    EVERY = 36,
    WEEKDAY = 37,
    OTHER = 38,
    DAYSOFWEEK = 39,
    WEEKDAYS = 40,
    WEEKENDS = 41,
    PLEASE = 42,
    FYI = 43,
};

// Units of a date span and of a recurrence.
enum SpanUnit : int32_t { kUnitDay = 1, kUnitWeek = 2, kUnitMonth = 3, kUnitYear = 4 };

// Day-of-week masks in the encoding of a recurrence's days (Sunday 1 .. Saturday 64).
constexpr int32_t kMondayToFriday = 62;
constexpr int32_t kSaturdayAndSunday = 65;
constexpr int dayBit(int dayOfWeek) {
    return 1 << (dayOfWeek - 1);
}

}  // namespace sentex
