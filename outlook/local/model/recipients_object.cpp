#include "outlook/local/model/recipients_object.h"

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/model/recipient_object.h"

namespace outlook::local {

Variant RecipientsObject::getMember(std::string_view property) {
    if (isMember(property, "Count")) return static_cast<std::int32_t>(item_->recipients().size());
    throwUnknownProperty("Recipients", property);
}

void RecipientsObject::putMember(std::string_view property, const Variant&) {
    if (isMember(property, "Count")) throwReadOnly(property);
    throwUnknownProperty("Recipients", property);
}

std::size_t RecipientsObject::index(std::string_view method, const Arguments& arguments) const {
    return collectionIndex("Recipients", method, arguments, item_->recipients().size());
}

Variant RecipientsObject::callMethod(std::string_view method, const Arguments& arguments) {
    auto& recipients = item_->recipients();
    if (isMember(method, "Add")) {
        expectArguments(method, arguments, 1, 1);
        RecipientRecord record;
        const Variant& source = arguments[0];
        if (source.type() == Variant::Type::Object) {
            auto other = std::dynamic_pointer_cast<RecipientObject>(source.asObject());
            if (!other) throw AutomationError("Recipients.Add: the object is not a recipient");
            record = other->record();
        } else if (source.type() == Variant::Type::String) {
            record.name = source.asString();
        } else {
            throw AutomationError(std::string("Type mismatch: Recipients.Add expects a name or a "
                                              "recipient, got ") +
                                  typeName(source.type()));
        }
        if (record.name.empty()) throw AutomationError("Recipients.Add: the name is empty");
        auto added = std::make_shared<RecipientObject>(item_->context(), std::move(record),
                                                       std::weak_ptr<ItemObject>(item_));
        recipients.push_back(added);
        item_->recipientsChanged();
        return DispatchPtr(added);
    }
    if (isMember(method, "Item")) return DispatchPtr(recipients[index(method, arguments)]);
    if (isMember(method, "Remove")) {
        recipients.erase(recipients.begin() +
                         static_cast<std::ptrdiff_t>(index(method, arguments)));
        item_->recipientsChanged();
        return {};
    }
    if (isMember(method, "ResolveAll")) {
        expectArguments(method, arguments, 0, 0);
        bool all = true;
        for (auto& recipient : recipients)
            if (!recipient->record().resolved && !recipient->resolve()) all = false;
        return all;
    }
    throwUnknownMethod("Recipients", method);
}

}  // namespace outlook::local
