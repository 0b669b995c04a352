#pragma once

#include <memory>

#include "outlook/automation.h"
#include "outlook/local/model/model_object.h"
#include "outlook/local/store/item_record.h"

namespace outlook::local {

class ItemObject;

// An item's Attachments: Count, Item(i) (from 1), Remove(i) and
// Add(source, type, position[, displayName]).
//
// Type 1 (by value) copies a file's bytes into the store when Add runs, or keeps a
// snapshot of an item's properties (the attachment's Type is then 5, an embedded item).
// Type 4 (by reference) keeps a file's path, or a saved item's entry id (given as the item
// or its hex entry id). Type 5 takes an item like type 1. A missing file is an error.
// Attachments keep the order they were added in; the position is accepted and ignored.
class AttachmentsObject : public ModelObject {
public:
    explicit AttachmentsObject(std::shared_ptr<ItemObject> item) : item_(std::move(item)) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

private:
    AttachmentRecord fromFile(const std::string& path, std::int32_t type);
    AttachmentRecord fromItem(const ItemObject& item, std::int32_t type);
    std::size_t index(std::string_view method, const Arguments& arguments) const;

    std::shared_ptr<ItemObject> item_;
};

}  // namespace outlook::local
