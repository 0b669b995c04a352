#pragma once

#include "outlook/mapi.h"

namespace outlook {

class TDataStore;

// Receives the Contacts table's change notifications for the data store. The store
// detaches it when it goes away, so a notification still on its way is dropped.
class TAdviseSink : public mapi::IMAPIAdviseSink, private mapi::RefCounted {
public:
    explicit TAdviseSink(TDataStore* store) : store_(store) {}

    mapi::HRESULT QueryInterface(const mapi::GUID& iid, void** object) override;
    mapi::ULONG AddRef() override { return addRef(); }
    mapi::ULONG Release() override;
    mapi::ULONG OnNotify(mapi::ULONG count, const mapi::NOTIFICATION* notifications) override;

    void Detach() { store_ = nullptr; }

private:
    TDataStore* store_;
};

}  // namespace outlook
