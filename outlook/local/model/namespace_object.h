#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"

namespace outlook::local {

// The "MAPI" namespace: GetDefaultFolder(n), GetFolderFromID(hex), GetItemFromID(hex[,
// storeId]), CreateRecipient(name).
class NamespaceObject : public Dispatch {
public:
    explicit NamespaceObject(ContextPtr context) : context_(std::move(context)) {}

    Variant get(std::string_view property) override;
    void put(std::string_view property, const Variant& value) override;
    Variant call(std::string_view method, const Arguments& arguments) override;

private:
    void checkStoreId(std::string_view method, const Arguments& arguments) const;

    ContextPtr context_;
};

}  // namespace outlook::local
