#pragma once

#include "outlook/automation.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook {

// Writes a pattern into a RecurrencePattern object, property by property under the object
// model's names: the type first (it resets the others), the end last.
void PutRecurrencePattern(Dispatch& pattern, const RecurrenceFields& fields);

// Reads a RecurrencePattern object's properties; AutomationError when one is missing or of
// the wrong type.
RecurrenceFields GetRecurrencePattern(Dispatch& pattern);

}  // namespace outlook
