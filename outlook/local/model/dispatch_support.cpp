#include "outlook/local/model/dispatch_support.h"

#include "platform/text.h"

namespace outlook::local {

using platform::equalsIgnoreCase;

bool isMember(std::string_view name, std::string_view member) {
    return equalsIgnoreCase(name, member);
}

void throwUnknownProperty(std::string_view object, std::string_view name) {
    throw AutomationError("The " + std::string(object) + " object has no property '" +
                          std::string(name) + "'");
}

void throwUnknownMethod(std::string_view object, std::string_view name) {
    throw AutomationError("The " + std::string(object) + " object has no method '" +
                          std::string(name) + "'");
}

void throwReadOnly(std::string_view name) {
    throw AutomationError("Property '" + std::string(name) + "' is read-only");
}

void expectArguments(std::string_view method, const Arguments& arguments, std::size_t min,
                     std::size_t max) {
    if (arguments.size() >= min && arguments.size() <= max) return;
    std::string expected = std::to_string(min);
    if (max != min) expected += " to " + std::to_string(max);
    throw AutomationError("Wrong number of arguments: '" + std::string(method) + "' takes " +
                          expected + ", got " + std::to_string(arguments.size()));
}

std::int32_t intArgument(std::string_view method, const Arguments& arguments, std::size_t index) {
    const Variant& value = arguments.at(index);
    if (value.type() != Variant::Type::Int32)
        throw AutomationError("Type mismatch: argument " + std::to_string(index + 1) + " of '" +
                              std::string(method) + "' expects an integer, got " +
                              typeName(value.type()));
    return value.asInt();
}

const std::string& stringArgument(std::string_view method, const Arguments& arguments,
                                  std::size_t index) {
    const Variant& value = arguments.at(index);
    if (value.type() != Variant::Type::String)
        throw AutomationError("Type mismatch: argument " + std::to_string(index + 1) + " of '" +
                              std::string(method) + "' expects a string, got " +
                              typeName(value.type()));
    return value.asString();
}

std::size_t collectionIndex(std::string_view collection, std::string_view method,
                            const Arguments& arguments, std::size_t count) {
    expectArguments(method, arguments, 1, 1);
    const std::int32_t index = intArgument(method, arguments, 0);
    if (index < 1 || static_cast<std::size_t>(index) > count)
        throwIndexOutOfRange(collection, method, index, count);
    return static_cast<std::size_t>(index - 1);
}

void throwIndexOutOfRange(std::string_view collection, std::string_view method, std::int32_t index,
                          std::size_t count) {
    throw AutomationError(std::string(collection) + "." + std::string(method) + ": index " +
                          std::to_string(index) + " is out of range (1 to " +
                          std::to_string(count) + ")");
}

}  // namespace outlook::local
