#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"

namespace outlook::local {

// A folder's Items: Count, Item(i) (from 1, in the order items were first saved) and
// Add([type]) for a new unsaved item of the folder's default kind (or the CreateItem type
// given) that will be saved into this folder.
class ItemsObject : public ModelObject {
public:
    ItemsObject(ContextPtr context, std::int64_t folder)
        : context_(std::move(context)), folder_(folder) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

private:
    ContextPtr context_;
    std::int64_t folder_;
};

}  // namespace outlook::local
