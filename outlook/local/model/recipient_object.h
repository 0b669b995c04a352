#pragma once

#include <memory>

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"
#include "outlook/local/store/item_record.h"

namespace outlook::local {

class ItemObject;

// A recipient: of an item (changes mark the item's recipients as changed), or on its own
// as Namespace.CreateRecipient makes it.
class RecipientObject : public ModelObject {
public:
    RecipientObject(ContextPtr context, RecipientRecord record, std::weak_ptr<ItemObject> owner)
        : context_(std::move(context)), record_(std::move(record)), owner_(std::move(owner)) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

    const RecipientRecord& record() const { return record_; }
    // Resolves against the address book and the contacts; see resolveRecipient.
    bool resolve();

private:
    void changed();

    ContextPtr context_;
    RecipientRecord record_;
    std::weak_ptr<ItemObject> owner_;
};

}  // namespace outlook::local
