#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "token_class.h"

namespace sentex {

// One row of a built-in word table: the settings key that may replace its words, the
// default words separated by ";", and the class and value every word of the row carries.
struct WordTableRow {
    std::string_view section;
    std::string_view key;
    std::string_view defaultWords;
    TokenClass cls;
    int32_t value;
};

// Rows whose value is a clock time filled in when the vocabulary is built.
enum ClockValue : int32_t { kNoonValue = -1, kMidnightValue = -2 };

// All rows in load order: a word listed twice keeps the meaning of the later row.
std::span<const WordTableRow> builtInWordTables();

}  // namespace sentex
