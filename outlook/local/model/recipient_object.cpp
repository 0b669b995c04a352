#include "outlook/local/model/recipient_object.h"

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/store/recipient_resolver.h"

namespace outlook::local {

Variant RecipientObject::getMember(std::string_view property) {
    if (isMember(property, "Name")) return record_.resolved ? record_.displayName : record_.name;
    if (isMember(property, "Address")) return record_.address;
    if (isMember(property, "Resolved")) return record_.resolved;
    if (isMember(property, "Type")) return record_.type;
    if (isMember(property, "EntryID")) return mapi::HexFromBin(record_.entry);
    throwUnknownProperty("Recipient", property);
}

void RecipientObject::putMember(std::string_view property, const Variant& value) {
    if (isMember(property, "Type")) {
        if (value.type() != Variant::Type::Int32)
            throw AutomationError(std::string("Type mismatch: 'Type' expects an integer, got ") +
                                  typeName(value.type()));
        const std::int32_t type = value.asInt();
        if (type < 1 || type > 3)
            throw AutomationError("Invalid recipient type " + std::to_string(type) +
                                  " (1 To, 2 Cc, 3 Bcc)");
        record_.type = type;
        changed();
        return;
    }
    if (isMember(property, "Name") || isMember(property, "Address") ||
        isMember(property, "Resolved") || isMember(property, "EntryID"))
        throwReadOnly(property);
    throwUnknownProperty("Recipient", property);
}

Variant RecipientObject::callMethod(std::string_view method, const Arguments& arguments) {
    if (isMember(method, "Resolve")) {
        expectArguments(method, arguments, 0, 0);
        return resolve();
    }
    throwUnknownMethod("Recipient", method);
}

bool RecipientObject::resolve() {
    const bool resolved = resolveRecipient(context_->store->addressBook(), record_);
    changed();
    return resolved;
}

void RecipientObject::changed() {
    if (auto owner = owner_.lock()) owner->recipientsChanged();
}

}  // namespace outlook::local
