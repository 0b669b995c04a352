#pragma once

#include <memory>

#include "outlook/local/mapi/read_only_prop_object.h"
#include "outlook/local/store/address_book_data.h"

namespace outlook::local {

class Store;

// A mail user (or a contact seen as one). Read-only; GetProps without tags lists
// PR_ENTRYID first.
class LocalMailUser : public ReadOnlyPropObject<mapi::IMailUser> {
public:
    LocalMailUser(std::shared_ptr<Store> store, AddressEntry entry)
        : ReadOnlyPropObject(std::move(store), mapi::MAPI_E_NO_ACCESS), entry_(std::move(entry)) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;

private:
    AddressEntry entry_;
};

// A distribution list: its members as a contents table, each openable.
class LocalDistList : public ReadOnlyPropObject<mapi::IDistList> {
public:
    LocalDistList(std::shared_ptr<Store> store, AddressEntry entry)
        : ReadOnlyPropObject(std::move(store), mapi::MAPI_E_NO_ACCESS), entry_(std::move(entry)) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT GetContentsTable(mapi::ULONG flags,
                                   mapi::ComPtr<mapi::IMAPITable>& table) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;

private:
    AddressEntry entry_;
};

// The container of every address book entry.
class LocalAbContainer : public ReadOnlyPropObject<mapi::IMAPIContainer> {
public:
    explicit LocalAbContainer(std::shared_ptr<Store> store)
        : ReadOnlyPropObject(std::move(store), mapi::MAPI_E_NO_ACCESS) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT GetContentsTable(mapi::ULONG flags,
                                   mapi::ComPtr<mapi::IMAPITable>& table) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;
};

}  // namespace outlook::local
