#pragma once

#include <memory>

#include "outlook/local/mapi/com_object.h"
#include "outlook/local/store/item_record.h"

namespace outlook::local {

class Store;

// A message opened by entry id. SetProps and DeleteProps change it in memory;
// SaveChanges writes the changed properties in one transaction. Entry ids and the object
// type are computed and cannot be set; PR_ORIGINAL_ENTRYID is computed for contacts with
// an address unless one was set.
class LocalMessage : public ComObject<mapi::IMessage> {
public:
    LocalMessage(std::shared_ptr<Store> store, ItemRecord record);

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT SetProps(const mapi::PropValueArray& values) override;
    mapi::HRESULT DeleteProps(const mapi::PropTagArray& tags) override;
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>& names, mapi::ULONG flags,
                                  mapi::PropTagArray& tags) override;
    mapi::HRESULT SaveChanges(mapi::ULONG flags) override;

private:
    bool isReadOnly(mapi::PropTag tag) const;

    std::shared_ptr<Store> store_;
    ItemRecord record_;
};

}  // namespace outlook::local
