#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"

namespace outlook::local {

// A folder: Name, EntryID, StoreID (hex), Items, DefaultItemType; Display() shows it in
// the explorer window.
class FolderObject : public ModelObject, public std::enable_shared_from_this<FolderObject> {
public:
    FolderObject(ContextPtr context, std::int64_t folder)
        : context_(std::move(context)), folder_(folder) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

    std::int64_t id() const { return folder_; }

private:
    const FolderRecord& record() const;

    ContextPtr context_;
    std::int64_t folder_;
};

}  // namespace outlook::local
