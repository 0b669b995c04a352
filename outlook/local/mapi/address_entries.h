#pragma once

#include <memory>

#include "outlook/local/mapi/com_object.h"
#include "outlook/local/store/address_book_data.h"

namespace outlook::local {

class Store;

// A mail user (or a contact seen as one). Read-only; GetProps without tags lists
// PR_ENTRYID first.
class LocalMailUser : public ComObject<mapi::IMailUser> {
public:
    LocalMailUser(std::shared_ptr<Store> store, AddressEntry entry)
        : store_(std::move(store)), entry_(std::move(entry)) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT SetProps(const mapi::PropValueArray& values) override;
    mapi::HRESULT DeleteProps(const mapi::PropTagArray& tags) override;
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>& names, mapi::ULONG flags,
                                  mapi::PropTagArray& tags) override;
    mapi::HRESULT SaveChanges(mapi::ULONG flags) override;

private:
    std::shared_ptr<Store> store_;
    AddressEntry entry_;
};

// A distribution list: its members as a contents table, each openable.
class LocalDistList : public ComObject<mapi::IDistList> {
public:
    LocalDistList(std::shared_ptr<Store> store, AddressEntry entry)
        : store_(std::move(store)), entry_(std::move(entry)) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT SetProps(const mapi::PropValueArray& values) override;
    mapi::HRESULT DeleteProps(const mapi::PropTagArray& tags) override;
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>& names, mapi::ULONG flags,
                                  mapi::PropTagArray& tags) override;
    mapi::HRESULT SaveChanges(mapi::ULONG flags) override;
    mapi::HRESULT GetContentsTable(mapi::ULONG flags,
                                   mapi::ComPtr<mapi::IMAPITable>& table) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;

private:
    std::shared_ptr<Store> store_;
    AddressEntry entry_;
};

// The container of every address book entry.
class LocalAbContainer : public ComObject<mapi::IMAPIContainer> {
public:
    explicit LocalAbContainer(std::shared_ptr<Store> store) : store_(std::move(store)) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT SetProps(const mapi::PropValueArray& values) override;
    mapi::HRESULT DeleteProps(const mapi::PropTagArray& tags) override;
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>& names, mapi::ULONG flags,
                                  mapi::PropTagArray& tags) override;
    mapi::HRESULT SaveChanges(mapi::ULONG flags) override;
    mapi::HRESULT GetContentsTable(mapi::ULONG flags,
                                   mapi::ComPtr<mapi::IMAPITable>& table) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;

private:
    std::shared_ptr<Store> store_;
};

}  // namespace outlook::local
