#pragma once

#include <memory>
#include <vector>

#include "outlook/local/mapi/com_object.h"
#include "outlook/local/mapi/store_entries.h"

namespace outlook::local {

class Store;

// A messaging object whose own properties cannot be changed: folders, the message store
// and the address book's entries. Named properties still map to the store's ids.
template <class Interface>
class ReadOnlyPropObject : public ComObject<Interface> {
public:
    // `saveResult` is what SaveChanges answers: folders and stores accept it as a no-op,
    // address book entries refuse it.
    ReadOnlyPropObject(std::shared_ptr<Store> store, mapi::HRESULT saveResult)
        : store_(std::move(store)), saveResult_(saveResult) {}

    mapi::HRESULT SetProps(const mapi::PropValueArray&) override { return mapi::MAPI_E_NO_ACCESS; }
    mapi::HRESULT DeleteProps(const mapi::PropTagArray&) override { return mapi::MAPI_E_NO_ACCESS; }
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>& names, mapi::ULONG,
                                  mapi::PropTagArray& tags) override {
        return namesToIds(*store_, names, tags);
    }
    mapi::HRESULT SaveChanges(mapi::ULONG) override { return saveResult_; }

protected:
    std::shared_ptr<Store> store_;

private:
    mapi::HRESULT saveResult_;
};

}  // namespace outlook::local
