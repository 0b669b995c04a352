#pragma once

#include "date_format.h"
#include "working_record.h"

namespace sentex {

constexpr std::size_t kParseResultSize = 1034;

// Writes the record into a caller's 1,034-byte result: every text NUL-terminated within
// its 128 bytes, numbers in their fixed places. Returns the date text when it should be
// traced (present and not adjusted), else null.
const char* renderResult(const WorkingRecord& record, const DateFormat& format, char* result);

}  // namespace sentex
