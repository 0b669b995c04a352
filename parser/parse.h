#pragma once

#include "parse_state.h"

namespace sentex {

enum class ParseMode { Full, DatesOnly };

// Parses a note (null counts as empty) into a 1,034-byte result.
void parseNote(ParseState& state, const char* text, ParseMode mode, char* result);

}  // namespace sentex
