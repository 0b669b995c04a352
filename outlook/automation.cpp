#include "outlook/automation.h"

namespace outlook {
namespace {

[[noreturn]] void mismatch(Variant::Type expected, Variant::Type actual) {
    throw AutomationError(std::string("Type mismatch: expected ") + typeName(expected) + ", got " +
                          typeName(actual));
}

}  // namespace

const char* typeName(Variant::Type type) {
    switch (type) {
        case Variant::Type::Empty:
            return "empty";
        case Variant::Type::Int32:
            return "integer";
        case Variant::Type::Bool:
            return "boolean";
        case Variant::Type::Date:
            return "date";
        case Variant::Type::String:
            return "string";
        case Variant::Type::Object:
            return "object";
    }
    return "unknown";
}

std::int32_t Variant::asInt() const {
    if (type() != Type::Int32) mismatch(Type::Int32, type());
    return std::get<std::int32_t>(value_);
}

bool Variant::asBool() const {
    if (type() != Type::Bool) mismatch(Type::Bool, type());
    return std::get<bool>(value_);
}

OleDate Variant::asDate() const {
    if (type() != Type::Date) mismatch(Type::Date, type());
    return std::get<OleDate>(value_);
}

const std::string& Variant::asString() const {
    if (type() != Type::String) mismatch(Type::String, type());
    return std::get<std::string>(value_);
}

const DispatchPtr& Variant::asObject() const {
    if (type() != Type::Object) mismatch(Type::Object, type());
    const auto& object = std::get<DispatchPtr>(value_);
    if (!object) throw AutomationError("Object variable not set");
    return object;
}

}  // namespace outlook
