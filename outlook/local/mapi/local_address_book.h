#pragma once

#include <memory>

#include "outlook/local/mapi/read_only_prop_object.h"

namespace outlook::local {

class Store;
class WindowSet;

// The address book: mail users, distribution lists and the contacts that have an e-mail
// address. OpenEntry with an empty id gives the container of all entries; Address shows
// the installed address dialog (MAPI_E_NO_SUPPORT while none is installed). A contact's
// entry id and the id of its address book entry compare as the same entry.
class LocalAddressBook : public ReadOnlyPropObject<mapi::IAddrBook> {
public:
    LocalAddressBook(std::shared_ptr<Store> store, std::shared_ptr<WindowSet> windows)
        : ReadOnlyPropObject(std::move(store), mapi::MAPI_E_NO_ACCESS),
          windows_(std::move(windows)) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT Address(mapi::ULONG_PTR* uiParam, const mapi::ADRPARM& parameters,
                          mapi::ADRLIST& list) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;
    mapi::HRESULT CompareEntryIDs(const mapi::EntryId& first, const mapi::EntryId& second,
                                  mapi::ULONG flags, mapi::ULONG& result) override;

private:
    std::shared_ptr<WindowSet> windows_;
};

// Opens an address book entry: the root container (empty id), a mail user, a list, or a
// contact with an e-mail address (by its address book id or its own entry id).
mapi::HRESULT openAddressEntry(const std::shared_ptr<Store>& store, const mapi::EntryId& id,
                               mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object);

}  // namespace outlook::local
