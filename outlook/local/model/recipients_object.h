#pragma once

#include <memory>

#include "outlook/automation.h"
#include "outlook/local/model/model_object.h"

namespace outlook::local {

class ItemObject;

// An item's Recipients: Count, Item(i) (from 1), Add(name or recipient), Remove(i),
// ResolveAll().
class RecipientsObject : public ModelObject {
public:
    explicit RecipientsObject(std::shared_ptr<ItemObject> item) : item_(std::move(item)) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

private:
    std::size_t index(std::string_view method, const Arguments& arguments) const;

    std::shared_ptr<ItemObject> item_;
};

}  // namespace outlook::local
