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
// The 0-based position that a collection method's one argument, a 1-based index, names
// among `count` elements, or AutomationError when it names none.
std::size_t collectionIndex(std::string_view collection, std::string_view method,
                            const Arguments& arguments, std::size_t count);
[[noreturn]] void throwIndexOutOfRange(std::string_view collection, std::string_view method,
                                       std::int32_t index, std::size_t count);

}  // namespace outlook::local
