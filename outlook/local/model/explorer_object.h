#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"

namespace outlook::local {

// The open explorer window: CurrentFolder, Caption; Display/Activate, Close.
class ExplorerObject : public ModelObject {
public:
    explicit ExplorerObject(ContextPtr context) : context_(std::move(context)) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

private:
    ContextPtr context_;
};

}  // namespace outlook::local
