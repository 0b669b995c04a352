#pragma once

#include <chrono>
#include <cstdint>

#include "outlook/object_model.h"

namespace outlook {

// A RecurrencePattern's properties as plain values: what the program files through an item's
// GetRecurrencePattern, what the local store keeps with the item and expands. Dates and times
// are on the local wall clock, so a repeat at 9:00 stays at 9:00 across a daylight-saving
// change.
struct RecurrenceFields {
    OlRecurrenceType recurrenceType = olRecursDaily;
    std::int32_t interval = 1;       // every n days, weeks, months or years
    std::int32_t dayOfWeekMask = 0;  // olSunday | olMonday ...; weekly and n-th patterns
    std::int32_t dayOfMonth = 0;     // monthly and yearly patterns
    std::int32_t instance = 0;       // the n-th weekday (1 to 4, 5 = the last)
    std::int32_t monthOfYear = 0;    // yearly patterns, 1 to 12
    std::chrono::local_days patternStartDate{};
    std::chrono::local_days patternEndDate{};
    bool noEndDate = true;
    std::int32_t occurrences = 0;  // when not 0 (and noEndDate false) the repeat ends after these
    std::chrono::minutes startTime{0};  // after midnight
    std::chrono::minutes endTime{0};
    std::int32_t duration = 0;  // minutes

    friend bool operator==(const RecurrenceFields&, const RecurrenceFields&) = default;
};

}  // namespace outlook
