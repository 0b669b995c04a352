#pragma once

#include <memory>

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"
#include "outlook/local/store/item_record.h"

namespace outlook::local {

class ItemObject;

// One attachment of an item: DisplayName (read/write), FileName, PathName, Type, Size,
// Index; SaveAsFile(path) writes its content (by-value attachments only).
class AttachmentObject : public ModelObject {
public:
    AttachmentObject(ContextPtr context, AttachmentRecord record, std::weak_ptr<ItemObject> owner)
        : context_(std::move(context)), record_(std::move(record)), owner_(std::move(owner)) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

    AttachmentRecord& record() { return record_; }
    // The content, loading it from the store for a saved attachment.
    const mapi::Binary& data();

private:
    ContextPtr context_;
    AttachmentRecord record_;
    std::weak_ptr<ItemObject> owner_;
};

}  // namespace outlook::local
