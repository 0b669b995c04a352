#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "outlook/recurrence/recurrence_pattern.h"
#include "sentex.h"

namespace notes {

// A repeat as the parser recognised it in the note's sentence.
struct ParsedRepeat {
    enum Unit : std::uint8_t { kDay = 1, kWeek = 2, kMonth = 3, kYear = 4 };

    Unit unit = kDay;
    std::int32_t interval = 1;
    std::int32_t days = 0;  // Sunday 1, Monday 2 ... Saturday 64
    std::int32_t nth = 0;   // the n-th weekday of the month (5 = the last), or 0

    friend bool operator==(const ParsedRepeat&, const ParsedRepeat&) = default;
};

// The repeat a parse result holds; nothing when it holds none, or one of a unit not known.
std::optional<ParsedRepeat> RepeatOf(const TParseResults& result);

// When the occurrences of a timed repeat begin and end, in minutes after midnight.
struct RepeatTimes {
    std::chrono::minutes start{0};
    std::chrono::minutes end{0};
};

// The pattern that files a repeat. `start` is the day the repeat counts from: a monthly or
// yearly repeat falls on its day (and month). The pattern begins on the first occurrence on or
// after both `start` and `from`, so that the item and its first occurrence are the same day.
// Without times the occurrences last all day; an end before the start is taken as the last
// minute of the day, as it is for a single appointment.
outlook::RecurrenceFields PatternFor(const ParsedRepeat& repeat, std::chrono::local_days start,
                                     std::chrono::local_days from,
                                     std::optional<RepeatTimes> times);

}  // namespace notes
