#include "outlook/local/model/model_object.h"

#include <exception>
#include <new>

namespace outlook::local {
namespace {

// Rethrows the exception being handled as AutomationError, keeping its text.
[[noreturn]] void rethrowAsAutomationError() {
    try {
        throw;
    } catch (const AutomationError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw AutomationError("Out of memory");
    } catch (const std::exception& error) {
        throw AutomationError(error.what());
    }
}

}  // namespace

Variant ModelObject::get(std::string_view property) {
    try {
        return getMember(property);
    } catch (...) {
        rethrowAsAutomationError();
    }
}

void ModelObject::put(std::string_view property, const Variant& value) {
    try {
        putMember(property, value);
    } catch (...) {
        rethrowAsAutomationError();
    }
}

Variant ModelObject::call(std::string_view method, const Arguments& arguments) {
    try {
        return callMethod(method, arguments);
    } catch (...) {
        rethrowAsAutomationError();
    }
}

}  // namespace outlook::local
