#pragma once

#include <cstddef>
#include <string_view>

#include "outlook/automation.h"

namespace outlook::local {

// Member names of automation objects compare without regard to case.
bool isMember(std::string_view name, std::string_view member);

[[noreturn]] void throwUnknownProperty(std::string_view object, std::string_view name);
[[noreturn]] void throwUnknownMethod(std::string_view object, std::string_view name);
[[noreturn]] void throwReadOnly(std::string_view name);
// Throws unless `min` <= arguments <= `max`.
void expectArguments(std::string_view method, const Arguments& arguments, std::size_t min,
                     std::size_t max);
// The argument as the type `method` needs, or AutomationError naming both.
std::int32_t intArgument(std::string_view method, const Arguments& arguments, std::size_t index);
const std::string& stringArgument(std::string_view method, const Arguments& arguments,
                                  std::size_t index);

}  // namespace outlook::local
