#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace outlook {

// Every failure of a late-bound call arrives as this exception, carrying the server's text.
class AutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;

// An automation date: days since 30 December 1899, the time of day as the fraction.
struct OleDate {
    double serial = 0;
    friend bool operator==(const OleDate&, const OleDate&) = default;
};

// An automation value: empty, 32-bit integer, boolean, date, string or object. An object
// value may hold a null reference ("nothing"), which is not the same as empty.
class Variant {
public:
    enum class Type { Empty, Int32, Bool, Date, String, Object };

    Variant() = default;
    Variant(std::int32_t v) : value_(v) {}
    Variant(bool v) : value_(v) {}
    Variant(OleDate v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}
    Variant(DispatchPtr v) : value_(std::move(v)) {}

    Type type() const { return static_cast<Type>(value_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    // True for empty and for an object value holding no reference.
    bool isNothing() const {
        return isEmpty() || (type() == Type::Object && !std::get<DispatchPtr>(value_));
    }

    // Each throws AutomationError naming the expected and the actual type on a mismatch.
    std::int32_t asInt() const;
    bool asBool() const;
    OleDate asDate() const;
    const std::string& asString() const;
    // The object, or AutomationError when the value is no object or a null reference.
    const DispatchPtr& asObject() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::int32_t, bool, OleDate, std::string, DispatchPtr> value_;
};

const char* typeName(Variant::Type type);

using Arguments = std::vector<Variant>;

// A late-bound object: properties and methods are found by name when called. Unknown
// names and arguments of the wrong type or number throw AutomationError.
class Dispatch {
public:
    virtual ~Dispatch() = default;
    virtual Variant get(std::string_view property) = 0;
    virtual void put(std::string_view property, const Variant& value) = 0;
    virtual Variant call(std::string_view method, const Arguments& arguments = {}) = 0;
};

// Creates automation objects by their programmatic id ("Outlook.Application").
class AutomationServer {
public:
    virtual ~AutomationServer() = default;
    // Throws AutomationError when no such object can be created.
    virtual DispatchPtr createObject(std::string_view progId) = 0;
};

}  // namespace outlook
