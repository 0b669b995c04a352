#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"

namespace outlook::local {

// The "MAPI" namespace: GetDefaultFolder(n), GetFolderFromID(hex), GetItemFromID(hex[,
// storeId]), CreateRecipient(name).
class NamespaceObject : public ModelObject {
public:
    explicit NamespaceObject(ContextPtr context) : context_(std::move(context)) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

private:
    void checkStoreId(std::string_view method, const Arguments& arguments) const;

    ContextPtr context_;
};

}  // namespace outlook::local
