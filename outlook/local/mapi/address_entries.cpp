#include "outlook/local/mapi/address_entries.h"

#include "outlook/local/mapi/local_address_book.h"
#include "outlook/local/mapi/local_table.h"
#include "outlook/local/mapi/store_entries.h"
#include "outlook/local/store/row_builder.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/local/store/table_sources.h"

namespace outlook::local {

using namespace mapi;

namespace {

const PropTagArray kEntryComputedTags = {PR_ENTRYID, PR_OBJECT_TYPE, PR_DISPLAY_TYPE,
                                         tags::PR_RECORD_KEY};

HRESULT entryProps(Store& store, const AddressEntry& entry, const PropTagArray* tags,
                   PropValueArray& values) {
    return guardedCall([&] {
        const ComputedProp computed = [&](PropTag tag) {
            return store.addressBook().computedProp(entry, tag);
        };
        values = tags ? buildRow(entry.props, *tags, computed)
                      : allProps(entry.props, kEntryComputedTags, computed);
        return S_OK;
    });
}

}  // namespace

// --- LocalMailUser

HRESULT LocalMailUser::GetProps(const PropTagArray* tags, ULONG, PropValueArray& values) {
    return entryProps(*store_, entry_, tags, values);
}

// --- LocalDistList

HRESULT LocalDistList::GetProps(const PropTagArray* tags, ULONG, PropValueArray& values) {
    return entryProps(*store_, entry_, tags, values);
}
HRESULT LocalDistList::GetContentsTable(ULONG, ComPtr<IMAPITable>& table) {
    return guardedCall([&] {
        table = ComPtr<IMAPITable>::adopt(
            makeCom<LocalTable>(store_, std::make_shared<DistListSource>(store_, entry_.row))
                .detach());
        return S_OK;
    });
}
HRESULT LocalDistList::OpenEntry(const EntryId& entryId, const GUID*, ULONG, ULONG& objectType,
                                 ComPtr<IUnknown>& object) {
    return openAddressEntry(store_, entryId, objectType, object);
}

// --- LocalAbContainer

HRESULT LocalAbContainer::GetProps(const PropTagArray* tags, ULONG, PropValueArray& values) {
    PropertyBag bag;
    bag.set(SPropValue::binary(PR_ENTRYID, store_->entryId(EntryKind::AddressBookRoot, 0)));
    bag.setLong(PR_OBJECT_TYPE, static_cast<std::int32_t>(MAPI_ABCONT));
    bag.setString(PR_DISPLAY_NAME, "Address Book");
    values = tags ? buildRow(bag, *tags, nullptr) : bag.all();
    return S_OK;
}
HRESULT LocalAbContainer::GetContentsTable(ULONG, ComPtr<IMAPITable>& table) {
    return guardedCall([&] {
        table = ComPtr<IMAPITable>::adopt(
            makeCom<LocalTable>(store_, std::make_shared<AddressBookSource>(store_)).detach());
        return S_OK;
    });
}
HRESULT LocalAbContainer::OpenEntry(const EntryId& entryId, const GUID*, ULONG, ULONG& objectType,
                                    ComPtr<IUnknown>& object) {
    return openAddressEntry(store_, entryId, objectType, object);
}

}  // namespace outlook::local
