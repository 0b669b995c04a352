#pragma once

#include <string>

// Registers one keyword-store item with the library, from a command-line option or a
// line of a keyword file: kind is "list", "project", "contact" or "alias"; an alias's
// value is "TEXT=LIST,PROJECT,CONTACT". On failure returns false and says why in `error`.
bool registerKeywordItem(const std::string& kind, const std::string& value, std::string& error);

// Registers every item of a keyword file: one "KIND VALUE" per line; blank lines and
// lines starting with '#' are skipped.
bool registerKeywordFile(const std::string& path, std::string& error);
