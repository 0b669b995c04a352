#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"

namespace outlook::local {

// The open explorer window: CurrentFolder, Caption; Display/Activate, Close.
class ExplorerObject : public Dispatch {
public:
    explicit ExplorerObject(ContextPtr context) : context_(std::move(context)) {}

    Variant get(std::string_view property) override;
    void put(std::string_view property, const Variant& value) override;
    Variant call(std::string_view method, const Arguments& arguments) override;

private:
    ContextPtr context_;
};

}  // namespace outlook::local
