#pragma once

#include "outlook/automation.h"
#include "outlook/mapi.h"

namespace outlook::local {

// The object model's "no date": 1 January 4501. Reading an unset date gives it, and
// writing it (or any later date) clears the property.
inline constexpr double kNoDateSerial = 949998.0;

// Automation dates are local wall-clock times; stored times are UTC FILETIMEs. Both
// conversions go through the C library's time zone rules and keep whole seconds.
mapi::FileTime fileTimeFromOleDate(OleDate date);
OleDate oleDateFromFileTime(mapi::FileTime time);
mapi::FileTime currentFileTime();

}  // namespace outlook::local
