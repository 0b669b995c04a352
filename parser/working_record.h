#pragma once

#include <string_view>

#include "clock_time.h"
#include "date/date_grammar.h"
#include "date_time.h"

namespace sentex {

// What one parse has found so far. Names view the keyword store's texts, which do not
// change during a parse.
struct WorkingRecord {
    std::string_view list, project, contact, recipient;
    DateTime date;
    ClockTime startTime = 0;
    ClockTime endTime = 0;
    Recurrence recurrence;
    bool datePresent = false;
    bool startTimePresent = false;
    bool endTimePresent = false;
    bool isRecurring = false;
    bool isFyi = false;
};

}  // namespace sentex
