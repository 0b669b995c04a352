#pragma once

#include <string_view>

#include "outlook/automation.h"

namespace outlook::local {

// An object of the local store's object model. Whatever fails below it (the store busy past
// its timeout, a full disk, a store file that cannot be written, no memory) reaches the
// caller as AutomationError with its reason, as every failure of an automation server does:
// the program above knows only that one kind of failure.
class ModelObject : public Dispatch {
public:
    Variant get(std::string_view property) final;
    void put(std::string_view property, const Variant& value) final;
    Variant call(std::string_view method, const Arguments& arguments) final;

protected:
    virtual Variant getMember(std::string_view property) = 0;
    virtual void putMember(std::string_view property, const Variant& value) = 0;
    virtual Variant callMethod(std::string_view method, const Arguments& arguments) = 0;
};

}  // namespace outlook::local
