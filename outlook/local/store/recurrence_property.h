#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "outlook/local/store/property_bag.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace outlook::local {

class Store;

// An item's repeat is kept in a named property of its own, as text. The store allocates the
// property's id when the first repeat is saved, so a store that never had one opens as it
// was, and its items read as not repeating.

// The property's tag, allocating its id when the store has none yet (a write).
mapi::PropTag recurrenceTag(Store& store);
// The property's tag; nothing while the store has never kept a repeat.
std::optional<mapi::PropTag> findRecurrenceTag(Store& store);

// The repeat kept in `props`; nothing when there is none, or when its text is not one this
// store writes (an item whose repeat cannot be read is shown as a single item).
std::optional<RecurrenceFields> storedRecurrence(Store& store, const PropertyBag& props);

// "RecurrenceType=1;Interval=2;DayOfWeekMask=4;...": every field under the object model's
// name, dates as YYYY-MM-DD, times as minutes after midnight.
std::string recurrenceText(const RecurrenceFields& pattern);
// The fields of such a text; nothing when it is malformed or describes no usable repeat.
std::optional<RecurrenceFields> recurrenceFromText(std::string_view text);

// The object-model property whose value makes the pattern unusable, or nothing when it is
// sound. `whole` adds the checks that span properties set one at a time (a yearly day the
// month does not have), which only a finished pattern can pass.
std::optional<std::string> recurrenceFault(const RecurrenceFields& pattern, bool whole);

}  // namespace outlook::local
