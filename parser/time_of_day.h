#pragma once

#include "token.h"
#include "working_record.h"

namespace sentex {

// Finds a start time, or a start and end time, in the clock tokens. A time without a
// date makes the date `now`.
void recognizeTimeOfDay(TokenList& clockTokens, DateTime now, WorkingRecord& record);

}  // namespace sentex
