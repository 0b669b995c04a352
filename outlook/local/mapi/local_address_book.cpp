#include "outlook/local/mapi/local_address_book.h"

#include "outlook/local/mapi/address_entries.h"
#include "outlook/local/mapi/store_entries.h"
#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/row_builder.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/table_sources.h"
#include "outlook/local/window_set.h"

namespace outlook::local {

using namespace mapi;

HRESULT openAddressEntry(const std::shared_ptr<Store>& store, const EntryId& id, ULONG& objectType,
                         ComPtr<IUnknown>& object) {
    return guardedCall([&]() -> HRESULT {
        if (id.empty()) {
            objectType = MAPI_ABCONT;
            object = ComPtr<IUnknown>::adopt(makeCom<LocalAbContainer>(store).detach());
            return S_OK;
        }
        const auto ref = store->parse(id);
        if (!ref) return MAPI_E_INVALID_ENTRYID;
        switch (ref->kind) {
            case EntryKind::AddressBookRoot:
                objectType = MAPI_ABCONT;
                object = ComPtr<IUnknown>::adopt(makeCom<LocalAbContainer>(store).detach());
                return S_OK;
            case EntryKind::MailUser:
            case EntryKind::ContactUser:
            case EntryKind::Message:
            case EntryKind::DistList: {
                auto entry = store->addressBook().load(id);
                if (!entry) return MAPI_E_NOT_FOUND;
                if (entry->kind == EntryKind::DistList) {
                    objectType = MAPI_DISTLIST;
                    object = ComPtr<IUnknown>::adopt(
                        makeCom<LocalDistList>(store, std::move(*entry)).detach());
                } else {
                    objectType = MAPI_MAILUSER;
                    object = ComPtr<IUnknown>::adopt(
                        makeCom<LocalMailUser>(store, std::move(*entry)).detach());
                }
                return S_OK;
            }
            default:
                return MAPI_E_INVALID_ENTRYID;
        }
    });
}

HRESULT LocalAddressBook::GetProps(const PropTagArray* tags, ULONG, PropValueArray& values) {
    PropertyBag bag;
    bag.setLong(PR_OBJECT_TYPE, static_cast<std::int32_t>(MAPI_ADDRBOOK));
    bag.setString(PR_DISPLAY_NAME, "Address Book");
    values = tags ? buildRow(bag, *tags, nullptr) : bag.all();
    return S_OK;
}

HRESULT LocalAddressBook::Address(ULONG_PTR*, const ADRPARM& parameters, ADRLIST& list) {
    AddressDialog* dialog = windows_->addressDialog();
    if (!dialog) return MAPI_E_NO_SUPPORT;
    RowSet entries;
    const HRESULT read = guardedCall([&] {
        AddressBookSource source(store_);
        std::optional<RowKey> after;
        for (;;) {
            const auto keys = source.keysAfter(after, 512);
            if (keys.empty()) break;
            for (auto& row : source.rows(keys, source.defaultColumns()))
                entries.push_back(std::move(row));
            after = keys.back();
        }
        return S_OK;
    });
    if (Failed(read)) return read;
    ADRLIST chosen = list;
    const HRESULT result = dialog->address(parameters, entries, chosen);
    if (!Failed(result)) list = std::move(chosen);
    return result;
}

HRESULT LocalAddressBook::OpenEntry(const EntryId& entryId, const GUID*, ULONG, ULONG& objectType,
                                    ComPtr<IUnknown>& object) {
    return openAddressEntry(store_, entryId, objectType, object);
}

HRESULT LocalAddressBook::CompareEntryIDs(const EntryId& first, const EntryId& second, ULONG,
                                          ULONG& result) {
    const auto a = store_->parse(first), b = store_->parse(second);
    if (!a || !b) {
        result = first == second ? 1 : 0;
        return S_OK;
    }
    // A contact and its address book entry are one entry.
    const auto normal = [](EntryKind kind) {
        return kind == EntryKind::Message ? EntryKind::ContactUser : kind;
    };
    result = normal(a->kind) == normal(b->kind) && a->row == b->row ? 1 : 0;
    return S_OK;
}

}  // namespace outlook::local
