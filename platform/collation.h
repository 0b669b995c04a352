#pragma once

#include <string_view>

namespace platform {

// Compares two UTF-8 texts the way the user's locale (LC_COLLATE) orders them: below zero
// when a sorts before b, zero when they sort alike, above zero after. With `ignoreCase`,
// letter case does not count.
int compareInLocale(std::string_view a, std::string_view b, bool ignoreCase);

}  // namespace platform
