#pragma once

#include <string>
#include <vector>

// A realistic note of about 300 characters with a keyword-like name, a date, a time
// range and a recurrence.
extern const char* const kLongNote;

// Over a hundred varied notes of the kind users type: dates in every form, times,
// ranges, recurrences, and plain text without any.
std::vector<std::string> noteCorpus();
