#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace outlook::local {

// The master category list the user picks an item's categories from: the registry value
// the store writes a default list into, the user's own before the machine's. Empty when
// neither holds one.
std::vector<std::string> masterCategories(platform::Registry& registry);

// "Business; Ideas" as names, trimmed, without empty ones; "," separates as ";" does.
std::vector<std::string> splitCategories(const std::string& text);
// The names as an item's Categories keeps them: "Business; Ideas".
std::string joinCategories(const std::vector<std::string>& names);

}  // namespace outlook::local
