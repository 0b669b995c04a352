#pragma once

#include <ostream>
#include <string_view>

#include "sentex.h"

// Prints every slot of a parse result: one "name: value" line per slot, or one JSON
// object on one line.
void printResultText(std::ostream& out, std::string_view input, const TParseResults& result);
void printResultJson(std::ostream& out, std::string_view input, const TParseResults& result);
