#pragma once

#include <functional>

#include "../working_record.h"

namespace sentex {

using NowSource = std::function<DateTime()>;

// Finds the first date phrase or recurrence in the date tokens and stores it in the
// record. `now` is read from the clock at the start of every recognition and left
// holding the last value read.
void recognizeDate(TokenList& dateTokens, DateFormat::Order order, const NowSource& clock,
                   DateTime& now, WorkingRecord& record);

}  // namespace sentex
