#pragma once

#include <memory>

#include "outlook/automation.h"

namespace outlook::local {

class ItemObject;

// An item's Recipients: Count, Item(i) (from 1), Add(name or recipient), Remove(i),
// ResolveAll().
class RecipientsObject : public Dispatch {
public:
    explicit RecipientsObject(std::shared_ptr<ItemObject> item) : item_(std::move(item)) {}

    Variant get(std::string_view property) override;
    void put(std::string_view property, const Variant& value) override;
    Variant call(std::string_view method, const Arguments& arguments) override;

private:
    std::size_t index(std::string_view method, const Arguments& arguments) const;

    std::shared_ptr<ItemObject> item_;
};

}  // namespace outlook::local
