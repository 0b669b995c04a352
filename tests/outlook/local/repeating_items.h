#pragma once

#include <chrono>

#include "outlook/automation.h"
#include "outlook/recurrence/pattern_properties.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook::local::testing {

inline std::chrono::local_days dayOf(int y, unsigned m, unsigned d) {
    return std::chrono::local_days(std::chrono::year(y) / m / d);
}

// What "every other tuesday call the bank at 9am" files: weekly, every 2 weeks, on Tuesday,
// from `tuesday` on, 9:00 for half an hour.
inline RecurrenceFields everyOtherTuesday(std::chrono::local_days tuesday) {
    RecurrenceFields p;
    p.recurrenceType = olRecursWeekly;
    p.interval = 2;
    p.dayOfWeekMask = olTuesday;
    p.patternStartDate = tuesday;
    p.startTime = std::chrono::minutes(9 * 60);
    p.endTime = std::chrono::minutes(9 * 60 + 30);
    p.duration = 30;
    return p;
}

// Gives a saved or new item the repeat, through its RecurrencePattern, and saves it.
inline void fileRepeating(const DispatchPtr& item, const RecurrenceFields& pattern) {
    PutRecurrencePattern(*item->call("GetRecurrencePattern").asObject(), pattern);
    item->call("Save");
}

}  // namespace outlook::local::testing
